#include "app/window/kitvane_app.h"

#include <QFileInfo>

#include "app/version.h"
#include "app/window/kitvane_dlg.h"
#include "app/window/qt_settings_profile.h"

namespace kitvane {

CKitvaneApp::CKitvaneApp(int& argc, char** argv) : QApplication(argc, argv) {
    // Settings land in Kitvane\<executable name>\Settings: the registry key on Windows, an INI file
    // under the configuration folder elsewhere.
    setOrganizationName(QStringLiteral("Kitvane"));
    setApplicationName(QFileInfo(applicationFilePath()).completeBaseName());
    setApplicationVersion(QStringLiteral(KITVANE_VERSION));
}

int CKitvaneApp::Run() {
    QtSettingsProfile profile;
    CKitvaneDlg window(profile);
    window.exec();
    return 0;
}

}  // namespace kitvane
