#include "library/enumeration.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/path_text.h"
#include "tests/support/recording_services.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using testing::RecordingServices;
using testing::TempFolder;

TEST(FindGroupFiles, DepthFirstInListingOrderWithExactExtension) {
    TempFolder temp;
    for (const char* name : {"A.mxgrp", "Sub/Kit.mxgrp", "Sub/Deeper/Kit.mxgrp", "Sub/Zed.mxgrp", "Z.mxgrp",
                             "Kit.MXGRP", ".mxgrp", "notes.txt", "Something.mxgrp/Inner.mxgrp", "b.mxgrp"}) {
        temp.WriteFile(name);
    }
    std::vector<std::string> found{"kept"};
    FindGroupFiles(temp.Path(), "", found);
    EXPECT_EQ(found, (std::vector<std::string>{"kept", "A.mxgrp", "b.mxgrp", "Something.mxgrp\\Inner.mxgrp",
                                               "Sub\\Deeper\\Kit.mxgrp", "Sub\\Kit.mxgrp", "Sub\\Zed.mxgrp",
                                               "Z.mxgrp"}));
}

TEST(FindWavFiles, TakesLowerCaseWavLongerThanItsExtension) {
    TempFolder temp;
    for (const char* name : {"C3.wav", ".wav", "Loop.WAV", "x.wave", "Drums/Beat 01 [120].wav"})
        temp.WriteFile(name);
    std::vector<std::string> found;
    FindWavFiles(found, temp.Path(), "");
    EXPECT_EQ(found, (std::vector<std::string>{"C3.wav", "Drums\\Beat 01 [120].wav"}));
}

TEST(FindWavFiles, PrefixNamesASubfolder) {
    TempFolder temp;
    temp.WriteFile("Drums/Fills/Fill.wav");
    std::vector<std::string> found;
    FindWavFiles(found, temp.Path(), "Drums");
    EXPECT_EQ(found, std::vector<std::string>{"Drums\\Fills\\Fill.wav"});
}

#ifndef _WIN32
TEST(FindWavFiles, LinkBackIntoAnOuterFolderIsNotFollowed) {
    TempFolder temp;
    temp.WriteFile("Loops/a.wav");
    temp.WriteFile("Loops/Sub/b.wav");
    std::filesystem::create_directory_symlink(platform::ToNativePath(temp.PathOf("Loops")),
                                              platform::ToNativePath(temp.PathOf("Loops\\Sub\\Back")));
    temp.WriteFile("Elsewhere/c.wav");
    std::filesystem::create_directory_symlink(platform::ToNativePath(temp.PathOf("Elsewhere")),
                                              platform::ToNativePath(temp.PathOf("Loops\\Linked")));
    std::vector<std::string> found;
    FindWavFiles(found, temp.PathOf("Loops"), "");
    EXPECT_EQ(found, (std::vector<std::string>{"a.wav", "Linked\\c.wav", "Sub\\b.wav"}));
}
#endif

TEST(EnumerateInstruments, NamesCategoriesAndMerges) {
    TempFolder temp;
    for (const char* name :
         {"Samples/Instruments/Grand Piano/Grand Piano C3.wav", "Samples/Instruments/Keys/E-Piano/EP A2.wav",
          "Samples/Instruments/Keys/E-Piano/EP A3.wav",
          "Samples/Instruments/Strings/Cello Samples/Cello C2.wav", "Samples/Instruments/Bell C4.wav",
          "Samples/Instruments/Acoustic/Piano Samples/P C1.wav",
          "Samples/Instruments/Electric/Piano/P C2.wav"}) {
        temp.WriteFile(name);
    }
    LibraryModel library;
    library.LibraryPath = temp.Path();
    RecordingServices ui;
    EnumerateInstruments(library, ui);
    std::vector<std::string> rows;
    for (const auto& entry : library.InstrumentList)
        rows.push_back(InstrumentRowText(entry));
    EXPECT_EQ(rows,
              (std::vector<std::string>{"Acoustic - Piano [2 wavs]", "Bell C4.wav - Bell C4.wav [1 wavs]",
                                        "Grand Piano - Grand Piano [1 wavs]", "Keys - E-Piano [2 wavs]",
                                        "Strings - Cello [1 wavs]"}));
    const InstrumentEntry& piano = library.InstrumentList[0];
    EXPECT_EQ(piano.SamplePaths,
              (std::vector<std::string>{"Acoustic\\Piano Samples\\P C1.wav", "Electric\\Piano\\P C2.wav"}));
    EXPECT_EQ(piano.RootNotes, (std::vector<unsigned>{0, 0}));
    EXPECT_EQ(piano.Layers.size(), 2u);
    EXPECT_EQ(ui.TextsOf("waitCursor"), (std::vector<std::string>{"on", "off"}));
}

TEST(EnumerateInstruments, NoInstrumentsFolderIsNoError) {
    TempFolder temp;
    LibraryModel library;
    library.LibraryPath = temp.Path();
    library.InstrumentList.emplace_back();
    RecordingServices ui;
    EnumerateInstruments(library, ui);
    EXPECT_TRUE(library.InstrumentList.empty());
    EXPECT_TRUE(ui.calls.empty());
}

TEST(FillLibraryList, ShowsTheChosenViewAndClearsTheLogFlag) {
    Session session;
    session.library.GroupList = {"Kit 1.mxgrp"};
    AddInstrumentSample(session.library, "E-Piano", "Keys", "Keys\\E-Piano\\EP A2.wav");
    session.ListShowsLog = true;
    RecordingServices ui;
    ui.wavesRows = {"old"};
    FillLibraryList(session, ui);
    EXPECT_EQ(ui.mainRows, std::vector<std::string>{"Kit 1.mxgrp"});
    EXPECT_TRUE(ui.wavesRows.empty());
    EXPECT_FALSE(session.ListShowsLog);
    session.library.ShowInstruments = 1;
    FillLibraryList(session, ui);
    EXPECT_EQ(ui.mainRows, std::vector<std::string>{"Keys - E-Piano [1 wavs]"});
}

}  // namespace
}  // namespace kitvane
