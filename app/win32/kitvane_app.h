#pragma once
// The application object's start-up: common controls, COM for the folder picker, the profile in the
// registry under Kitvane\<executable name>, then the main window, modally.
#include <windows.h>

#include "app/win32/window_seams.h"

namespace kitvane::win32 {

class CKitvaneApp {
public:
    // Runs the window until it closes; returns how it was closed (IDOK or IDCANCEL).
    static INT_PTR Run(HINSTANCE instance, WindowSeams seams);
};

}  // namespace kitvane::win32
