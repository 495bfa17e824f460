#pragma once
// The section headings: static texts of the dialog that paint themselves as coloured bars with white
// bold text, centred on one line.
#include <windows.h>

namespace kitvane::win32 {

class CHeadStatic {
public:
    // Takes over painting of the static text control.
    static void Attach(HWND control);
    // The background for the control's static style: right-aligned, centred, or else the bar colour.
    static COLORREF BackgroundColour(HWND control);

    static constexpr COLORREF kBarColour = RGB(86, 152, 233);
};

}  // namespace kitvane::win32
