// Renders the window with the demo library loaded and a group selected, as the README shows it:
//   kitvane_screenshot OUTPUT.png LIBRARY_PARENT_FOLDER OUTPUT_FOLDER
// The demo library is written into LIBRARY_PARENT_FOLDER as "Demo Library"; the window shows both folders.
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/dialog_template.h"
#include "app/window/kitvane_app.h"
#include "app/window/qt_text.h"
#include "tests/gui/window_test_support.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    kitvane::CKitvaneApp app(argc, argv);
    if (argc != 4) {
        QTextStream(stderr) << "usage: kitvane_screenshot OUTPUT.png LIBRARY_PARENT_FOLDER OUTPUT_FOLDER\n";
        return 1;
    }
    kitvane::testing::WindowDriver driver;
    driver.Drop({kitvane::testing::WriteDemo(kitvane::PathTextOf(QString::fromLocal8Bit(argv[2])))});
    driver.TypeInto(kitvane::control::kOutputFolder, QString::fromLocal8Bit(argv[3]));
    driver.Click(kitvane::control::kAddLibrarySubfolder);
    driver.Click(kitvane::control::kAddLibrarySubfolder);
    driver.ClickRow(kitvane::control::kMainList, 3);
    driver.ClickRow(kitvane::control::kWavesList, 0);
    return driver.Window().grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
