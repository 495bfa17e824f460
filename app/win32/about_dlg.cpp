#include "app/win32/about_dlg.h"

#include "app/version.h"
#include "app/win32/dialog_builder.h"
#include "app/win32/kitvane_dlg.h"

namespace kitvane::win32 {
namespace {

INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(window, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CAboutDlg::DoModal(HINSTANCE instance, HWND owner) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    DialogBuilder builder(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_FIXEDSYS | DS_CENTER, 0,
                          {0, 0, 290, 62}, L"About Kitvane", L"MS Shell Dlg", 8);
    builder.AddPictureControl(-1, child | SS_ICON, {10, 10, 21, 20}, kIconResource);
    builder.AddControl(kNameText, L"Static", child | SS_NOPREFIX, {42, 10, 238, 8},
                       L"Kitvane, Version " KITVANE_VERSION);
    builder.AddControl(kPurposeText, L"Static", child | SS_NOPREFIX, {42, 22, 238, 8},
                       L"Converts a Maschine Expansion library into AKAI MPC and Force programs.");
    builder.AddControl(IDOK, L"Button", child | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, {230, 41, 50, 14},
                       L"OK");
    return ::DialogBoxIndirectParamW(instance, builder.Template(), owner, AboutProc, 0);
}

}  // namespace kitvane::win32
