#include "app/win32/kitvane_app.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/win32/kitvane_dlg.h"
#include "app/win32/registry_profile.h"

namespace kitvane::win32 {

INT_PTR CKitvaneApp::Run(HINSTANCE instance, WindowSeams seams) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    ::InitCommonControlsEx(&controls);
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    RegistryProfile profile(L"Kitvane", ApplicationName());
    CKitvaneDlg window(profile, std::move(seams));
    const INT_PTR result = window.DoModal(instance);
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return result;
}

}  // namespace kitvane::win32
