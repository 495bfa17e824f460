// kitvane.exe: the window as a native Windows dialog.
#include <windows.h>

#include "app/win32/kitvane_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    kitvane::win32::CKitvaneApp::Run(instance, kitvane::win32::WindowSeams::Platform());
    return 0;
}
