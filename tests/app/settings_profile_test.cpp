#include "app/settings_profile.h"

#include <gtest/gtest.h>

#include "tests/support/recording_services.h"

namespace kitvane {
namespace {

using testing::RecordingServices;

class SettingsProfileTest : public ::testing::Test {
protected:
    // The session as the window has it after start-up.
    void Start() { LoadPersistedOptions(session, profile); }

    Session session;
    InMemoryProfile profile;
    RecordingServices ui;
};

TEST_F(SettingsProfileTest, FirstStartUsesTheDefaults) {
    session.options = {0, 1, 0, 0, 0, 3, 3, 2};  // anything: start-up sets every option
    Start();
    const ConversionOptions& options = session.options;
    EXPECT_EQ(session.library.OutputFolder, "");
    EXPECT_EQ(options.CopyLoops, 1);
    EXPECT_EQ(options.CreateKeygroups, 1);
    EXPECT_EQ(options.KitFolder, 0);
    EXPECT_EQ(options.AddBPM, 1);
    EXPECT_EQ(options.BuildKit, 1);
    EXPECT_EQ(options.KitVolume, 0);
    EXPECT_EQ(options.KeygroupVolume, 2);
    EXPECT_EQ(options.NoteRelease, 1);
    EXPECT_EQ(session.library.AddLibrarySubfolder, 1);
}

TEST_F(SettingsProfileTest, StartReadsStoredValuesButAlwaysBuildsKits) {
    profile.WriteString("Settings", "OutLib", "D:\\Out");
    profile.WriteInt("Settings", "CopyLoops", 0);
    profile.WriteInt("Settings", "CreateKeygroups", 0);
    profile.WriteInt("Settings", "KitFolder", 1);
    profile.WriteInt("Settings", "AddBPM", 0);
    profile.WriteInt("Settings", "BuildKit", 0);
    Start();
    EXPECT_EQ(session.library.OutputFolder, "D:\\Out");
    EXPECT_EQ(session.options.CopyLoops, 0);
    EXPECT_EQ(session.options.CreateKeygroups, 0);
    EXPECT_EQ(session.options.KitFolder, 1);
    EXPECT_EQ(session.options.AddBPM, 0);
    EXPECT_EQ(session.options.BuildKit, 1);
}

TEST_F(SettingsProfileTest, StoredValueNoCheckBoxCanShowReadsAsOff) {
    profile.WriteInt("Settings", "KitFolder", 7);
    profile.WriteInt("Settings", "CopyLoops", -1);
    profile.WriteString("Settings", "AddBPM", "yes");  // not a number: the default
    Start();
    EXPECT_EQ(session.options.KitFolder, 0);
    EXPECT_EQ(session.options.CopyLoops, 0);
    EXPECT_EQ(session.options.AddBPM, 1);
}

TEST_F(SettingsProfileTest, EachCheckBoxClickCapturesThenWritesItsOwnValue) {
    struct Case {
        OptionCheckBox box;
        const char* valueName;
        int ConversionOptions::*member;
    };
    const Case cases[] = {
        {OptionCheckBox::CopyLoops, "CopyLoops", &ConversionOptions::CopyLoops},
        {OptionCheckBox::CreateKeygroups, "CreateKeygroups", &ConversionOptions::CreateKeygroups},
        {OptionCheckBox::KitFolder, "KitFolder", &ConversionOptions::KitFolder},
        {OptionCheckBox::BuildKit, "BuildKit", &ConversionOptions::BuildKit},
        {OptionCheckBox::AddBPM, "AddBPM", &ConversionOptions::AddBPM},
    };
    for (const Case& c : cases) {
        for (const int shown : {0, 1}) {
            InMemoryProfile fresh;
            Session clicked;
            clicked.options.*c.member = 1 - shown;  // the member still holds the value before the toggle
            RecordingServices window;
            window.onCapture = [&] { clicked.options.*c.member = shown; };
            OnOptionCheckBoxClicked(clicked, fresh, window, c.box);
            EXPECT_EQ(fresh.GetInt("Settings", c.valueName, -5), shown) << c.valueName;
            for (const Case& other : cases) {
                if (other.box != c.box) {
                    EXPECT_FALSE(fresh.Contains("Settings", other.valueName)) << c.valueName;
                }
            }
            EXPECT_FALSE(fresh.Contains("Settings", "OutLib"));
        }
    }
}

TEST_F(SettingsProfileTest, LibrarySubfolderClickUpdatesTheOutputInfoAndWritesNothing) {
    session.library.OutputFolder = "D:\\Out";
    session.library.LibraryName = "Dark Pressure";
    ui.onCapture = [&] { session.library.AddLibrarySubfolder = 0; };
    OnOptionCheckBoxClicked(session, profile, ui, OptionCheckBox::AddLibrarySubfolder);
    EXPECT_EQ(ui.calls, (std::vector<RecordingServices::Call>{{"capture", ""}, {"outputInfo", "D:\\Out\\"}}));
    for (const char* name : {"OutLib", "CopyLoops", "CreateKeygroups", "KitFolder", "BuildKit", "AddBPM"}) {
        EXPECT_FALSE(profile.Contains("Settings", name)) << name;
    }
}

TEST_F(SettingsProfileTest, ConfirmedBrowseStoresTheFolderWithoutItsTrailingBackslash) {
    session.library.LibraryName = "Dark Pressure";
    OnOutputFolderBrowsed(session, profile, ui, std::string("D:\\"));
    EXPECT_EQ(session.library.OutputFolder, "D:");
    EXPECT_EQ(profile.GetString("Settings", "OutLib", "?"), "D:");
    EXPECT_EQ(ui.calls, (std::vector<RecordingServices::Call>{
                            {"capture", ""}, {"outputInfo", "D:\\Dark Pressure\\"}, {"push", ""}}));

    Session next;
    LoadPersistedOptions(next, profile);
    EXPECT_EQ(next.library.OutputFolder, "D:");
}

TEST_F(SettingsProfileTest, CancelledBrowseKeepsTheTypedFolderForThisRunOnly) {
    profile.WriteString("Settings", "OutLib", "E:\\Browsed");
    Start();
    ui.onCapture = [&] { session.library.OutputFolder = "E:\\Typed"; };
    OnOutputFolderBrowsed(session, profile, ui, std::nullopt);
    EXPECT_EQ(session.library.OutputFolder, "E:\\Typed");
    EXPECT_EQ(ui.calls, (std::vector<RecordingServices::Call>{{"capture", ""}, {"push", ""}}));

    Session next;
    LoadPersistedOptions(next, profile);
    EXPECT_EQ(next.library.OutputFolder, "E:\\Browsed");
}

}  // namespace
}  // namespace kitvane
