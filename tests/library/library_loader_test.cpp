#include "library/library_loader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "tests/support/recording_services.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using testing::RecordingServices;
using testing::TempFolder;

TEST(DeriveLibraryName, RemovesEveryLibraryWordAndTrims) {
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"C:\\Libs\\Dark Pressure Library", "Dark Pressure"}, {"C:\\Libs\\Library Of Drums", "Of Drums"},
        {"C:\\Libs\\Golden Library Pack", "Golden  Pack"},    {"C:\\Libs\\Library", ""},
        {"C:\\Libs\\Urban library", "Urban library"},         {"C:\\Libs\\LibraryLibrary X", "X"},
    };
    for (const auto& c : cases) {
        LibraryModel library;
        library.LibraryPath = c.path;
        DeriveLibraryName(library);
        EXPECT_EQ(library.LibraryName, c.name) << c.path;
    }
}

TEST(DeriveLibraryName, PathWithoutBackslashCleansThePreviousName) {
    LibraryModel library;
    library.LibraryPath = "D:";
    library.LibraryName = " Old Library ";
    DeriveLibraryName(library);
    EXPECT_EQ(library.LibraryName, "Old");
}

TEST(OutputRoot, ComposedFromFolderAndName) {
    LibraryModel library;
    library.OutputFolder = "D:\\Out";
    library.LibraryName = "Dark Pressure";
    EXPECT_EQ(ComposeOutputRoot(library), "D:\\Out\\Dark Pressure");
    EXPECT_EQ(OutputInfoText(library), "D:\\Out\\Dark Pressure\\");
    library.LibraryName = "";
    EXPECT_EQ(ComposeOutputRoot(library), "D:\\Out\\");
    EXPECT_EQ(OutputInfoText(library), "D:\\Out\\");
    library.AddLibrarySubfolder = 0;
    library.LibraryName = "X";
    EXPECT_EQ(ComposeOutputRoot(library), "D:\\Out");
    EXPECT_EQ(OutputInfoText(library), "D:\\Out\\");
    EXPECT_EQ(OutputInfoText(LibraryModel{}), "\\<library name>\\");
}

class LoadLibraryTest : public ::testing::Test {
protected:
    std::string MakeLibrary(const std::string& name) {
        temp.WriteFile(name + "/Groups/Kit 1.mxgrp");
        temp.WriteFile(name + "/Groups/Vintage/Kit 2.mxgrp");
        temp.WriteFile(name + "/Samples/Instruments/Keys/E-Piano/EP A2.wav");
        return temp.PathOf(name);
    }
    TempFolder temp;
    Session session;
    RecordingServices ui;
};

TEST_F(LoadLibraryTest, LoadsListsAndCounts) {
    const std::string root = MakeLibrary("Dark Pressure Library");
    LoadLibrary(session, ui, root);
    const LibraryModel& library = session.library;
    EXPECT_EQ(library.LibraryPath, root);
    EXPECT_EQ(library.GroupsFolder, root + "\\Groups");
    EXPECT_EQ(library.GroupSubfolder, "\\Groups\\");
    EXPECT_EQ(library.InstrumentsFolder, root + "\\Samples\\Instruments");
    EXPECT_EQ(library.LibraryName, "Dark Pressure");
    EXPECT_EQ(ui.mainRows, (std::vector<std::string>{"Kit 1.mxgrp", "Vintage\\Kit 2.mxgrp"}));
    EXPECT_EQ(ui.kitsCaption, "Kits (2)");
    EXPECT_EQ(ui.instrumentsCaption, "Instruments (1)");
    EXPECT_EQ(ui.progressRange, 2);
    EXPECT_EQ(ui.outputInfo, "\\Dark Pressure\\");
    EXPECT_TRUE(ui.TextsOf("message").empty());
    // The members are pushed after validation and enumeration, before the list is filled.
    const auto& calls = ui.calls;
    const auto push = std::find(calls.begin(), calls.end(), RecordingServices::Call{"push", ""});
    const auto firstRow =
        std::find(calls.begin(), calls.end(), RecordingServices::Call{"main", "Kit 1.mxgrp"});
    EXPECT_LT(push, firstRow);
}

TEST_F(LoadLibraryTest, OneTrailingBackslashIsRemoved) {
    const std::string root = MakeLibrary("Lib");
    LoadLibrary(session, ui, root + "\\");
    EXPECT_EQ(session.library.LibraryPath, root);
    EXPECT_EQ(session.library.GroupList.size(), 2u);
    LoadLibrary(session, ui, root + "\\\\");
    EXPECT_EQ(session.library.LibraryPath, root + "\\");
}

TEST_F(LoadLibraryTest, GroupsIsPreferredOverKits) {
    temp.WriteFile("Both/Groups/G.mxgrp");
    temp.WriteFile("Both/Kits/K.mxgrp");
    temp.WriteFile("KitsOnly/Kits/K.mxgrp");
    LoadLibrary(session, ui, temp.PathOf("Both"));
    EXPECT_EQ(session.library.GroupList, std::vector<std::string>{"G.mxgrp"});
    LoadLibrary(session, ui, temp.PathOf("KitsOnly"));
    EXPECT_EQ(session.library.GroupsFolder, temp.PathOf("KitsOnly\\Kits"));
    EXPECT_EQ(session.library.GroupSubfolder, "\\Kits\\");
    EXPECT_EQ(session.library.GroupList, std::vector<std::string>{"K.mxgrp"});
}

TEST_F(LoadLibraryTest, FailureShowsTheMessageAndKeepsNameAndOutputInfo) {
    const std::string root = MakeLibrary("Good Library");
    LoadLibrary(session, ui, root);
    session.library.ShowInstruments = 1;
    const std::string dropped = temp.WriteFile("Kit.mxgrp");
    ui.calls.clear();
    LoadLibrary(session, ui, dropped);
    EXPECT_EQ(
        ui.TextsOf("message"),
        std::vector<std::string>{"Can't find Groups or Kits sub-folder in the entered path\r\n" + dropped +
                                 "\\Kits\r\n\r\nThis app works on each Expansion library separate, you need "
                                 "to drop a path to a Single Expansion Library to convert it"});
    const LibraryModel& library = session.library;
    EXPECT_EQ(library.LibraryPath, dropped);
    EXPECT_EQ(library.GroupsFolder, dropped + "\\Kits");
    EXPECT_EQ(library.GroupSubfolder, "\\Kits\\");
    EXPECT_EQ(library.LibraryName, "Good");
    EXPECT_TRUE(ui.TextsOf("outputInfo").empty());
    EXPECT_EQ(library.ShowInstruments, 0);
    EXPECT_TRUE(library.InstrumentList.empty());
    // The groups of the library loaded before are still listed and counted.
    EXPECT_EQ(ui.kitsCaption, "Kits (2)");
    EXPECT_EQ(ui.instrumentsCaption, "Instruments (0)");
    EXPECT_EQ(ui.mainRows.size(), 2u);
}

// Path text is UTF-8 on every platform; on Windows it reaches the system as UTF-16.
TEST_F(LoadLibraryTest, ALibraryUnderANonAsciiPathLoadsWithItsNames) {
    const std::string root = MakeLibrary("Sons d'Été/Démo Ünïcødé Library");
    temp.WriteFile("Sons d'Été/Démo Ünïcødé Library/Groups/Kick Äß.mxgrp");
    LoadLibrary(session, ui, root);
    EXPECT_EQ(session.library.LibraryName, "Démo Ünïcødé");
    EXPECT_EQ(ui.mainRows,
              (std::vector<std::string>{"Kick Äß.mxgrp", "Kit 1.mxgrp", "Vintage\\Kit 2.mxgrp"}));
    EXPECT_EQ(ui.instrumentsCaption, "Instruments (1)");
    EXPECT_TRUE(ui.TextsOf("message").empty());
}

#ifdef _WIN32
// A dropped drive root "D:\" is kept as "D:", and its group folder is looked for at "D:\Groups".
TEST_F(LoadLibraryTest, ADriveRootIsTheDriveWithoutItsBackslash) {
    const std::string drive = temp.Path().substr(0, 2);
    if (platform::StatusOf(drive + "\\Groups").exists || platform::StatusOf(drive + "\\Kits").exists)
        GTEST_SKIP() << drive << " holds a library";
    LoadLibrary(session, ui, drive + "\\");
    EXPECT_EQ(session.library.LibraryPath, drive);
    EXPECT_EQ(session.library.GroupsFolder, drive + "\\Kits");
    const std::string shown =
        "Can't find Groups or Kits sub-folder in the entered path\r\n" + drive + "\\Kits\r\n";
    ASSERT_EQ(ui.TextsOf("message").size(), 1u);
    EXPECT_EQ(ui.TextsOf("message")[0].substr(0, shown.size()), shown);
}
#endif

TEST_F(LoadLibraryTest, EmptyGroupFolderGivesEmptyList) {
    temp.MakeFolder("Empty/Groups");
    LoadLibrary(session, ui, temp.PathOf("Empty"));
    EXPECT_TRUE(ui.mainRows.empty());
    EXPECT_EQ(ui.kitsCaption, "Kits (0)");
    EXPECT_EQ(ui.instrumentsCaption, "Instruments (0)");
    EXPECT_TRUE(ui.TextsOf("message").empty());
}

}  // namespace
}  // namespace kitvane
