// Runs the window's tests inside the real application object, on the offscreen platform unless told
// otherwise, with settings in a folder of their own that vanishes afterwards.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "app/window/kitvane_app.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    kitvane::CKitvaneApp app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
