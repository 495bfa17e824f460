#include "app/win32/head_static.h"

#include <commctrl.h>

#include <string>

#include "app/win32/wide_text.h"

namespace kitvane::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

void Paint(HWND control) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(control, &paint);
    HFONT font =
        ::CreateFontW(-10, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, L"Arial");
    RECT client;
    ::GetClientRect(control, &client);
    HBRUSH background = ::CreateSolidBrush(CHeadStatic::BackgroundColour(control));
    ::FillRect(dc, &client, background);
    ::DeleteObject(background);
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previous = ::SelectObject(dc, font);
    std::wstring text = WindowText(control);
    // Centred on one line whatever the alignment; a caption wider than the bar is cut at both ends.
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &client,
                DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    ::SelectObject(dc, previous);
    ::DeleteObject(font);
    ::EndPaint(control, &paint);
}

LRESULT CALLBACK HeadingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_PAINT:
            Paint(control);
            return 0;
        case WM_ERASEBKGND:
            return 0;  // the paint fills the whole bar, so nothing is erased and the bar doesn't flicker
        case WM_SETTEXT: {
            const LRESULT result = ::DefSubclassProc(control, message, wParam, lParam);
            ::InvalidateRect(control, nullptr, FALSE);
            return result;
        }
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(control, HeadingProc, kSubclassId);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void CHeadStatic::Attach(HWND control) {
    ::SetWindowSubclass(control, HeadingProc, kSubclassId, 0);
}

COLORREF CHeadStatic::BackgroundColour(HWND control) {
    const LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK;
    if (style == SS_RIGHT)
        return RGB(128, 128, 192);
    if (style == SS_CENTER)
        return RGB(192, 128, 128);
    return kBarColour;
}

}  // namespace kitvane::win32
