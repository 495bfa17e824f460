#include "batch/process_all.h"

#include <gtest/gtest.h>

#include "library/library_loader.h"
#include "platform/file_system.h"
#include "tests/support/recording_services.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using testing::RecordingServices;
using testing::TempFolder;

class ProcessAllTest : public ::testing::Test {
protected:
    ProcessAllTest() {
        session.TemplateFolder = temp.MakeFolder("templates");
        session.options.BuildKit = 0;
        session.options.CopyLoops = 0;
        session.options.CreateKeygroups = 0;
    }
    void LoadLibraryWithLoops() {
        temp.WriteFile("Lib/Groups/Kit.mxgrp");
        temp.WriteFile("Lib/Samples/Loops/Beat [120].wav", "not a riff file");
        LoadLibrary(session, ui, temp.PathOf("Lib"));
        session.library.OutputFolder = temp.PathOf("Out");
    }
    bool Logged(const std::string& line) const {
        const auto log = ui.TextsOf("log");
        return std::find(log.begin(), log.end(), line) != log.end();
    }

    TempFolder temp;
    Session session;
    RecordingServices ui;
};

TEST_F(ProcessAllTest, BothFoldersEmptyShowsOnlyTheLibraryMessage) {
    EXPECT_EQ(ProcessAll(session, ui), RunOutcome::Refused);
    EXPECT_EQ(ui.calls, (std::vector<RecordingServices::Call>{
                            {"capture", ""},
                            {"clearStop", ""},
                            {"message",
                             "Please Drag and Drop Maschine Expansion library (a single Expansion) "
                             "folder to this dialog"}}));
}

TEST_F(ProcessAllTest, MissingOutputFolderIsRefused) {
    session.library.LibraryPath = temp.Path();
    EXPECT_EQ(ProcessAll(session, ui), RunOutcome::Refused);
    EXPECT_EQ(ui.TextsOf("message"), std::vector<std::string>{"Please set the output folder first"});
    EXPECT_TRUE(ui.TextsOf("enable").empty());
}

TEST_F(ProcessAllTest, AnOutputThatCannotHoldFilesIsRefusedBeforeAnythingRuns) {
    session.library.LibraryPath = temp.Path();
    session.library.AddLibrarySubfolder = 0;
    session.library.OutputFolder = temp.WriteFile("Out", "a file, not a folder");
    session.options.BuildKit = 1;
    EXPECT_EQ(ProcessAll(session, ui), RunOutcome::Refused);
    EXPECT_EQ(ui.TextsOf("message"), std::vector<std::string>{"Can't write into the output folder\r\n" +
                                                              session.library.OutputFolder});
    EXPECT_TRUE(ui.TextsOf("enable").empty());
    EXPECT_TRUE(ui.TextsOf("status").empty());
    EXPECT_EQ(testing::ReadFileBytes(session.library.OutputFolder), "a file, not a folder");
}

TEST_F(ProcessAllTest, CapturedValuesAreWhatTheRunUses) {
    session.library.LibraryPath = temp.Path();
    ui.onCapture = [&] {
        session.library.OutputFolder = temp.PathOf("Typed");
        session.library.LibraryName = "Typed Name";
    };
    EXPECT_EQ(ProcessAll(session, ui), RunOutcome::Finished);
    EXPECT_TRUE(platform::StatusOf(temp.PathOf("Typed\\Typed Name")).isDirectory);
}

TEST_F(ProcessAllTest, OutputRootWithAndWithoutLibraryName) {
    session.library.LibraryPath = temp.Path();
    session.library.OutputFolder = temp.PathOf("Out");
    session.library.LibraryName = "Dark Pressure";
    ProcessAll(session, ui);
    EXPECT_TRUE(platform::StatusOf(temp.PathOf("Out\\Dark Pressure")).isDirectory);
    session.library.AddLibrarySubfolder = 0;
    session.library.OutputFolder = temp.PathOf("Plain");
    ProcessAll(session, ui);
    EXPECT_TRUE(platform::StatusOf(temp.PathOf("Plain")).isDirectory);
    session.library.AddLibrarySubfolder = 1;
    session.library.LibraryName = "";
    session.library.OutputFolder = temp.PathOf("Unnamed");
    ProcessAll(session, ui);
    EXPECT_TRUE(platform::StatusOf(temp.PathOf("Unnamed")).isDirectory);
}

TEST_F(ProcessAllTest, AllStagesOffFinishesBelowTheLibraryList) {
    LoadLibraryWithLoops();
    ui.calls.clear();
    EXPECT_EQ(ProcessAll(session, ui), RunOutcome::Finished);
    EXPECT_EQ(ui.mainRows, (std::vector<std::string>{"Kit.mxgrp", "****FINISHED****"}));
    EXPECT_EQ(ui.status, "All Done!");
    EXPECT_TRUE(session.ListShowsLog);
    EXPECT_EQ(ui.TextsOf("enable"), (std::vector<std::string>{"off", "on"}));
    EXPECT_EQ(ui.progressPosition, 0);
}

TEST_F(ProcessAllTest, MissingDrumTemplateLetsTheRunGoOn) {
    LoadLibraryWithLoops();
    session.options.BuildKit = 1;
    EXPECT_EQ(ProcessAll(session, ui), RunOutcome::Finished);
    EXPECT_EQ(ui.TextsOf("message"),
              std::vector<std::string>{"Can't find the drum.xpm - it should be where this app exe is!"});
    EXPECT_TRUE(Logged("****FINISHED****"));
}

TEST_F(ProcessAllTest, LoopStageRunsOnlyWhenTheLibraryHasLoops) {
    LoadLibraryWithLoops();
    session.options.CopyLoops = 1;
    EXPECT_EQ(ProcessAll(session, ui), RunOutcome::Finished);
    EXPECT_EQ(ui.mainRows.front(), "Kit.mxgrp");
    EXPECT_TRUE(Logged("Beat [120].wav NO BMP"));  // not a RIFF file, so copied as it is

    TempFolder other;
    other.WriteFile("NoLoops/Groups/Kit.mxgrp");
    LoadLibrary(session, ui, other.PathOf("NoLoops"));
    ui.calls.clear();
    EXPECT_EQ(ProcessAll(session, ui), RunOutcome::Finished);
    EXPECT_TRUE(ui.TextsOf("main").empty());
}

TEST_F(ProcessAllTest, StopDuringTheLoopStageEndsTheRun) {
    LoadLibraryWithLoops();
    session.options.CopyLoops = 1;
    session.options.CreateKeygroups = 1;
    ui.onPump = [&](int) { ui.stopRequested = true; };
    EXPECT_EQ(ProcessAll(session, ui), RunOutcome::Stopped);
    EXPECT_FALSE(Logged("****FINISHED****"));
    EXPECT_FALSE(session.ListShowsLog);
    EXPECT_EQ(ui.TextsOf("enable"), std::vector<std::string>{"off"});
    EXPECT_TRUE(ui.TextsOf("message").empty());
}

TEST_F(ProcessAllTest, MissingKeygroupTemplateEndsTheRunWithControlsOn) {
    LoadLibraryWithLoops();
    session.options.CreateKeygroups = 1;
    EXPECT_EQ(ProcessAll(session, ui), RunOutcome::EndedByMissingTemplate);
    EXPECT_EQ(ui.TextsOf("message"),
              std::vector<std::string>{"Can't find the keygroup.xpm - it should be where this app exe is!"});
    EXPECT_EQ(ui.TextsOf("enable"), (std::vector<std::string>{"off", "on"}));
    EXPECT_FALSE(Logged("****FINISHED****"));
    EXPECT_NE(ui.status, "All Done!");
}

}  // namespace
}  // namespace kitvane
