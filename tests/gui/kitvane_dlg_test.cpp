#include "app/window/kitvane_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/version.h"
#include "app/window/dialog_units.h"
#include "platform/path_text.h"
#include "tests/gui/window_test_support.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

namespace c = control;
using testing::TempFolder;
using testing::WindowDriver;

std::string Native(const std::string& pathText) {
    return platform::ToNativePath(pathText);
}

// The programs below a folder (native path), by their paths relative to it.
std::vector<std::string> ProgramsBelow(const std::string& nativeFolder) {
    std::vector<std::string> programs;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(nativeFolder, ignored)) {
        if (entry.path().extension() == ".xpm") {
            programs.push_back(std::filesystem::relative(entry.path(), nativeFolder).generic_string());
        }
    }
    std::sort(programs.begin(), programs.end());
    return programs;
}

const std::vector<std::string> kDemoPrograms = {
    "Keygroups/Bass/Sub Bass.xpm", "Keygroups/Keys/Soft Piano.xpm", "Kits/Basic Kit.xpm",
    "Vintage/Analog/Deep Kit.xpm", "Vintage/Velocity Kit.xpm",
};

const QStringList kDemoGroupRows = {"Basic Kit.mxgrp", "Internal Sounds.mxgrp",
                                    "Vintage/Analog/Deep Kit.mxgrp", "Vintage/Velocity Kit.mxgrp"};

// A window with the demo library dropped on it and an output folder typed in.
class LoadedWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        library = testing::WriteDemo(temp.Path());
        driver.Drop({library});
        output = Native(temp.PathOf("out"));
        driver.TypeInto(c::kOutputFolder, QString::fromStdString(output));
    }
    std::string OutputRoot() const { return output + "/Demo"; }

    TempFolder temp;
    WindowDriver driver;
    QString library;
    std::string output;
};

TEST(MainWindow, FirstStartShowsCaptionsAndDefaults) {
    WindowDriver driver;
    CKitvaneDlg& window = driver.Window();
    EXPECT_EQ(window.windowTitle(), "Maschine Expansion to AKAI MPC & Force");
    const struct {
        int id;
        const char* text;
    } captions[] = {
        {c::kLibraryHeading, "Drag And Drop SINGLE Maschine Expansion Library"},
        {c::kLibraryBrowse, "Browse"},
        {c::kShowKits, "Kits"},
        {c::kShowInstruments, "Instruments"},
        {c::kOptionsHeading, "Options"},
        {c::kBuildKit, "Build AKAI Drum Kits"},
        {c::kCreateKeygroups, "Build AKAI Keygroups from Instruments *"},
        {c::kKitFolder, "Each Kit in Separate Folder"},
        {c::kCopyLoops, "Copy \\Loops\\ folder if exist"},
        {c::kAddBpm, "Add AKAI BPM tag to WAV from loop name *"},
        {c::kOutputHeading, "Output folder"},
        {c::kOutputBrowse, "Browse"},
        {c::kAddLibrarySubfolder, "Add \\<library name>\\ subfolder"},
        {c::kProcessAll, "Process All"},
        {c::kClose, "Close"},
        {c::kVersion, "Version " KITVANE_VERSION},
        {c::kLibraryPath, ""},
        {c::kLibraryName, "<library name>"},
        {c::kOutputFolder, ""},
        {c::kStatus, ""},
        // The info line reads the empty output folder, the initial name and a final separator.
        {c::kOutputInfo, "/<library name>/"},
    };
    for (const auto& caption : captions)
        EXPECT_EQ(driver.TextOf(caption.id), caption.text) << caption.id;

    const struct {
        int id;
        bool checked;
    } boxes[] = {{c::kBuildKit, true},  {c::kCreateKeygroups, true}, {c::kKitFolder, false},
                 {c::kCopyLoops, true}, {c::kAddBpm, true},          {c::kAddLibrarySubfolder, true}};
    for (const auto& box : boxes)
        EXPECT_EQ(driver.Control<QCheckBox>(box.id)->isChecked(), box.checked) << box.id;

    const struct {
        int id;
        QStringList items;
        QString selected;
    } dropDowns[] = {{c::kKitVolume, {"100%", "90%", "80%", "75%"}, "100%"},
                     {c::kKeygroupVolume, {"100%", "90%", "80%", "75%"}, "80%"},
                     {c::kNoteRelease, {"Short", "Medium", "Long"}, "Medium"}};
    for (const auto& dropDown : dropDowns) {
        auto* box = driver.Control<QComboBox>(dropDown.id);
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items.append(box->itemText(i));
        EXPECT_EQ(items, dropDown.items);
        EXPECT_EQ(box->currentText(), dropDown.selected);
    }
    EXPECT_TRUE(driver.Control<QRadioButton>(c::kShowKits)->isChecked());
    EXPECT_EQ(driver.Control<QProgressBar>(c::kProgress)->maximum(), 100);
    EXPECT_TRUE(driver.Rows(c::kMainList).isEmpty());
}

TEST(MainWindow, EveryCaptionFitsItsControl) {
    WindowDriver driver;
    CKitvaneDlg& window = driver.Window();
    int captions = 0;
    for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const bool captioned =
            qobject_cast<QLabel*>(control) != nullptr || qobject_cast<QAbstractButton*>(control) != nullptr;
        if (!captioned || !control->isVisible() || control->objectName() == "banner")
            continue;
        ++captions;
        EXPECT_LE(control->sizeHint().width(), control->width())
            << control->property("text").toString().toStdString();
    }
    EXPECT_GT(captions, 20);
}

TEST(MainWindow, DeveloperButtonsExistHidden) {
    WindowDriver driver;
    const struct {
        int id;
        const char* caption;
    } hidden[] = {
        {c::kLoadWav, "Load Wav"}, {c::kLoadGroup, "Load MXgrp"}, {c::kRiffTest, "Test"}, {c::kHelp, "Help"}};
    for (const auto& button : hidden) {
        auto* control = driver.Control<QPushButton>(button.id);
        ASSERT_NE(control, nullptr) << button.id;
        EXPECT_EQ(control->text(), button.caption);
        EXPECT_FALSE(control->isVisible()) << button.id;
    }
}

TEST(MainWindow, StoredValuesAreShownAsACheckBoxCanShowThem) {
    WindowDriver driver;
    QSettings settings;
    settings.setValue("Settings/OutLib", "\\data\\Out");
    settings.setValue("Settings/KitFolder", 7);
    settings.setValue("Settings/CopyLoops", 0);
    settings.setValue("Settings/AddBPM", "not a number");
    settings.setValue("Settings/BuildKit", 0);  // written, but the box is on at every start
    driver.Window();
    EXPECT_EQ(driver.TextOf(c::kOutputFolder), "/data/Out");
    EXPECT_EQ(driver.TextOf(c::kOutputInfo), "/data/Out/<library name>/");
    EXPECT_FALSE(driver.Control<QCheckBox>(c::kKitFolder)->isChecked());
    EXPECT_EQ(driver.Window().CurrentSession().options.KitFolder, 0);
    EXPECT_FALSE(driver.Control<QCheckBox>(c::kCopyLoops)->isChecked());
    EXPECT_TRUE(driver.Control<QCheckBox>(c::kAddBpm)->isChecked());
    EXPECT_TRUE(driver.Control<QCheckBox>(c::kBuildKit)->isChecked());
}

TEST(MainWindow, CheckBoxClicksWriteTheirValues) {
    WindowDriver driver;
    const struct {
        int id;
        const char* value;
        int afterClick;
    } boxes[] = {{c::kCopyLoops, "CopyLoops", 0},
                 {c::kCreateKeygroups, "CreateKeygroups", 0},
                 {c::kKitFolder, "KitFolder", 1},
                 {c::kBuildKit, "BuildKit", 0},
                 {c::kAddBpm, "AddBPM", 0}};
    for (const auto& box : boxes) {
        driver.Click(box.id);
        EXPECT_EQ(QSettings().value(QStringLiteral("Settings/%1").arg(box.value)).toInt(), box.afterClick)
            << box.value;
        driver.Click(box.id);
        EXPECT_EQ(QSettings().value(QStringLiteral("Settings/%1").arg(box.value)).toInt(),
                  1 - box.afterClick);
    }
    // The library-subfolder box changes the info line and writes nothing.
    const QStringList before = QSettings().allKeys();
    driver.Click(c::kAddLibrarySubfolder);
    EXPECT_EQ(driver.TextOf(c::kOutputInfo), "/");
    EXPECT_EQ(QSettings().allKeys(), before);
}

TEST(MainWindow, OutputBrowseStoresThePickedFolder) {
    TempFolder temp;
    WindowDriver driver;
    const QString picked = QString::fromStdString(Native(temp.Path())) + "/";
    driver.nextFolders = {picked};
    driver.Click(c::kOutputBrowse);
    EXPECT_EQ(QSettings().value("Settings/OutLib").toString().toStdString(), temp.Path());
    EXPECT_EQ(driver.TextOf(c::kOutputFolder).toStdString(), Native(temp.Path()));
    EXPECT_EQ(driver.TextOf(c::kOutputInfo).toStdString(), Native(temp.Path()) + "/<library name>/");

    // A cancelled picker keeps the folder, and a typed folder is not stored.
    driver.TypeInto(c::kOutputFolder, "/typed");
    driver.Click(c::kOutputBrowse);
    EXPECT_EQ(driver.TextOf(c::kOutputFolder), "/typed");
    EXPECT_EQ(QSettings().value("Settings/OutLib").toString().toStdString(), temp.Path());
}

TEST(MainWindow, GuideLinkOpensTheShippedGuide) {
    WindowDriver driver;
    auto* link = driver.Control<QLabel>(c::kGuideLink);
    const QUrl address(link->toolTip());
    EXPECT_TRUE(address.isLocalFile());
    EXPECT_TRUE(QFileInfo(address.toLocalFile()).isFile()) << address.toString().toStdString();
    EXPECT_EQ(address.fileName(), "guide.html");
    // Clicking the caption hands the address to the browser.
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    ASSERT_EQ(driver.openedUrls.size(), 1u);
    EXPECT_EQ(driver.openedUrls[0], address);
}

TEST(MainWindow, ContextMenuShowsTheAboutBox) {
    WindowDriver driver;
    CKitvaneDlg& window = driver.Window();
    QString aboutText;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions()[0]->text(), "&About Kitvane...");
        QTimer::singleShot(0, [&] {
            auto* about = window.findChild<QDialog*>("aboutDialog");
            ASSERT_NE(about, nullptr);
            for (auto* label : about->findChildren<QLabel*>())
                aboutText += label->text();
            about->accept();
        });
        menu->actions()[0]->trigger();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), window.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&window, &event);
    EXPECT_TRUE(aboutText.contains("Version " KITVANE_VERSION));
}

TEST_F(LoadedWindowTest, DropListsTheLibrary) {
    EXPECT_EQ(driver.Rows(c::kMainList), kDemoGroupRows);
    EXPECT_EQ(driver.TextOf(c::kShowKits), "Kits (4)");
    EXPECT_EQ(driver.TextOf(c::kShowInstruments), "Instruments (2)");
    EXPECT_EQ(driver.TextOf(c::kLibraryPath), library);
    EXPECT_EQ(driver.TextOf(c::kLibraryName), "Demo");
    EXPECT_EQ(driver.Control<QProgressBar>(c::kProgress)->maximum(), 4);
    EXPECT_EQ(driver.Control<QProgressBar>(c::kProgress)->value(), 0);
    EXPECT_TRUE(driver.messages.empty());
}

TEST_F(LoadedWindowTest, DropKeepsChoicesNotYetCapturedAndLoadsTheLastFolder) {
    driver.ChooseItem(c::kKitVolume, 3);
    TempFolder other;
    const QString notALibrary = QString::fromStdString(Native(other.MakeFolder("Empty")));
    driver.Drop({notALibrary, library});
    EXPECT_EQ(driver.Control<QComboBox>(c::kKitVolume)->currentText(), "75%");
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_TRUE(driver.messages[0].startsWith("Can't find Groups or Kits sub-folder in the entered path\n" +
                                              notALibrary + "/Kits\n\n"))
        << driver.messages[0].toStdString();
    EXPECT_EQ(driver.TextOf(c::kLibraryPath), library);
    EXPECT_EQ(driver.Rows(c::kMainList), kDemoGroupRows);
}

TEST_F(LoadedWindowTest, SelectingAGroupAndAPadShowsTheirDetails) {
    driver.ClickRow(c::kMainList, 3);
    const QStringList pads = driver.Rows(c::kWavesList);
    EXPECT_EQ(driver.TextOf(c::kStatus), library + "/Groups/Vintage/Velocity Kit.mxgrp");
    ASSERT_FALSE(pads.isEmpty());
    EXPECT_TRUE(pads[0].startsWith("VEL:[")) << pads[0].toStdString();
    driver.ClickRow(c::kWavesList, 0);
    EXPECT_TRUE(driver.TextOf(c::kStatus).startsWith("Velocities: "))
        << driver.TextOf(c::kStatus).toStdString();

    // A group of the host's internal sounds only.
    driver.ClickRow(c::kMainList, 1);
    EXPECT_EQ(driver.Rows(c::kWavesList),
              QStringList{"There are no Waves. Kit is with Maschine internal sounds."});
}

TEST_F(LoadedWindowTest, ViewButtonsSwitchTheList) {
    driver.Click(c::kShowInstruments);
    const QStringList instruments = driver.Rows(c::kMainList);
    ASSERT_EQ(instruments.size(), 2);
    driver.ClickRow(c::kMainList, 0);
    EXPECT_TRUE(driver.TextOf(c::kStatus).endsWith("wavs]")) << driver.TextOf(c::kStatus).toStdString();
    EXPECT_FALSE(driver.Rows(c::kWavesList).isEmpty());

    // Clicking the view already chosen lists it again, without a selection.
    driver.Click(c::kShowInstruments);
    EXPECT_EQ(driver.Rows(c::kMainList), instruments);
    EXPECT_TRUE(driver.Control<QListWidget>(c::kMainList)->selectedItems().isEmpty());
    driver.Click(c::kShowKits);
    EXPECT_EQ(driver.Rows(c::kMainList), kDemoGroupRows);
}

TEST_F(LoadedWindowTest, ProcessAllWritesThePrograms) {
    driver.ChooseItem(c::kKitVolume, 3);
    bool lockedDuringRun = false;
    testing::DuringNextPump([&] {
        lockedDuringRun = !driver.Control<QWidget>(c::kProcessAll)->isEnabled() &&
                          !driver.Control<QWidget>(c::kClose)->isEnabled() &&
                          !driver.Control<QWidget>(c::kLibraryPath)->isEnabled() &&
                          driver.Control<QWidget>(c::kMainList)->isEnabled() &&
                          driver.Control<QWidget>(c::kWavesList)->isEnabled();
    });
    driver.Click(c::kProcessAll);

    EXPECT_TRUE(lockedDuringRun);
    EXPECT_EQ(ProgramsBelow(OutputRoot()), kDemoPrograms);
    const QStringList log = driver.Rows(c::kMainList);
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log.first(), "****Drum Kits****");
    EXPECT_EQ(log.last(), "****FINISHED****");
    EXPECT_EQ(driver.TextOf(c::kStatus), "All Done!");
    EXPECT_TRUE(driver.Control<QWidget>(c::kProcessAll)->isEnabled());
    EXPECT_EQ(driver.Control<QProgressBar>(c::kProgress)->value(), 0);
    // The volume chosen without any command reached the programs.
    EXPECT_NE(testing::ReadFileBytes(temp.PathOf("out\\Demo\\Kits\\Basic Kit.xpm")).find("0.750000"),
              std::string::npos);

    // The first click after the run lists the library again; the next one selects.
    driver.ClickRow(c::kMainList, 0);
    EXPECT_EQ(driver.Rows(c::kMainList), kDemoGroupRows);
    EXPECT_TRUE(driver.Control<QListWidget>(c::kMainList)->selectedItems().isEmpty());
    driver.ClickRow(c::kMainList, 0);
    EXPECT_EQ(driver.Rows(c::kWavesList).size(), 8);
}

TEST_F(LoadedWindowTest, ProcessAllWithoutOutputFolderIsRefused) {
    driver.TypeInto(c::kOutputFolder, "");
    driver.Click(c::kProcessAll);
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_EQ(driver.messages[0], "Please set the output folder first");
    EXPECT_TRUE(driver.Control<QWidget>(c::kProcessAll)->isEnabled());
}

TEST_F(LoadedWindowTest, ClosingDuringARunStopsItAndClosesTheWindow) {
    CKitvaneDlg& window = driver.Window();
    testing::DuringNextPump([&] { window.close(); });
    driver.Click(c::kProcessAll);

    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_TRUE(window.StopRequested());
    EXPECT_FALSE(driver.Rows(c::kMainList).contains("****FINISHED****"));
    // The first program was written before the close; the run ended at the next group.
    EXPECT_EQ(ProgramsBelow(OutputRoot()), std::vector<std::string>{"Kits/Basic Kit.xpm"});
}

TEST_F(LoadedWindowTest, EscapeDuringARunEndsTheDialogButTheRunFinishes) {
    CKitvaneDlg& window = driver.Window();
    testing::DuringNextPump([&] { QTest::keyClick(&window, Qt::Key_Escape); });
    driver.Click(c::kProcessAll);

    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_FALSE(window.StopRequested());
    EXPECT_EQ(driver.Rows(c::kMainList).last(), "****FINISHED****");
    EXPECT_EQ(ProgramsBelow(OutputRoot()), kDemoPrograms);
}

TEST_F(LoadedWindowTest, DropDuringARunIsIgnored) {
    TempFolder other;
    const QString otherLibrary = testing::WriteDemo(other.Path());
    QString statusAfterDrop;
    testing::DuringNextPump([&] {
        driver.Drop({otherLibrary});
        statusAfterDrop = driver.TextOf(c::kStatus);
    });
    driver.Click(c::kProcessAll);

    EXPECT_EQ(statusAfterDrop, "A run is in progress: the dropped folder was not loaded");
    EXPECT_EQ(driver.TextOf(c::kLibraryPath), library);
    EXPECT_EQ(driver.Rows(c::kMainList).last(), "****FINISHED****");
    EXPECT_EQ(ProgramsBelow(OutputRoot()), kDemoPrograms);
}

TEST(WindowServices, AppendLogScrollsTheNewestRowIntoViewAndAPlainAddDoesNot) {
    WindowDriver driver;
    CKitvaneDlg& window = driver.Window();
    auto* list = driver.Control<QListWidget>(c::kMainList);
    for (int row = 0; row < 200; ++row)
        window.AppendLog("row " + std::to_string(row));
    EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(199))));
    EXPECT_FALSE(list->viewport()->rect().intersects(list->visualItemRect(list->item(0))));

    list->scrollToTop();
    window.AddMainRow("****Loops****");
    EXPECT_EQ(list->verticalScrollBar()->value(), 0);
}

TEST(WindowServices, ProgressRangeAboveSixteenBitsIsKept) {
    WindowDriver driver;
    driver.Window().SetProgressRange(70000);
    driver.Window().SetProgressPosition(69999);
    EXPECT_EQ(driver.Control<QProgressBar>(c::kProgress)->maximum(), 70000);
    EXPECT_EQ(driver.Control<QProgressBar>(c::kProgress)->value(), 69999);
}

TEST(WindowServices, PushNormalisesCheckBoxesAndCaptureReadsThemBack) {
    WindowDriver driver;
    QSettings().setValue("Settings/CopyLoops", 2);
    CKitvaneDlg& window = driver.Window();
    EXPECT_EQ(driver.Control<QCheckBox>(c::kCopyLoops)->checkState(), Qt::PartiallyChecked);
    driver.TypeInto(c::kLibraryName, "Typed Name");
    window.CaptureControls();
    EXPECT_EQ(window.CurrentSession().options.CopyLoops, 2);
    EXPECT_EQ(window.CurrentSession().library.LibraryName, "Typed Name");
    // Typing a name changes the info line only at the next event that composes it.
    EXPECT_EQ(driver.TextOf(c::kOutputInfo), "/<library name>/");
    // Clicks leave the third state and then toggle, writing only 0 and 1.
    for (int expected : {1, 0, 1}) {
        driver.Click(c::kCopyLoops);
        EXPECT_EQ(QSettings().value("Settings/CopyLoops").toInt(), expected);
    }
}

TEST(DeveloperCommands, TestWritesATempoTaggedCopy) {
    TempFolder temp;
    const std::string library = temp.Path();
    testing::WriteDemo(library);
    const std::string wave = library + "\\Demo Library\\Samples\\Loops\\Texture.wav";
    WindowDriver driver;
    driver.nextFile = QString::fromStdString(Native(wave));
    driver.Control<QPushButton>(c::kRiffTest)->click();
    const std::string copy = testing::ReadFileBytes(wave + "_out.wav");
    EXPECT_NE(copy.find("meta"), std::string::npos);
}

}  // namespace
}  // namespace kitvane
