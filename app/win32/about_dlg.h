#pragma once
// The About box: the icon, the program's name and version, what it does, and OK.
#include <windows.h>

namespace kitvane::win32 {

class CAboutDlg {
public:
    static INT_PTR DoModal(HINSTANCE instance, HWND owner);

    static constexpr int kNameText = 1100;
    static constexpr int kPurposeText = 1101;
};

}  // namespace kitvane::win32
