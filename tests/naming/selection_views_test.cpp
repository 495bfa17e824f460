#include "naming/selection_views.h"

#include <gtest/gtest.h>

#include "tests/support/recording_services.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using testing::RecordingServices;

constexpr const char* kNoWaves = "There are no Waves. Kit is with Maschine internal sounds.";

// Group file bytes: each reference as a run of printable text between non-printable bytes.
std::string GroupBytes(const std::vector<std::string>& references) {
    std::string bytes = std::string("\x01\x02head", 6) + '\0';
    for (const auto& reference : references)
        bytes += reference + '\0';
    return bytes;
}

// What one selection shows: the main-list row, then the waves list and status line after it; then a
// waves-list row (or -1) and the status line after that.
struct Selection {
    const char* what;
    int mainRow;
    std::vector<std::string> wavesRows;
    std::string statusAfterMain;
    int wavesRow;
    std::string statusAfterWave;
};

class InspectionViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        library().LibraryPath = temp_.Path() + "\\Lib";
        library().GroupsFolder = library().LibraryPath + "\\Groups";
        library().GroupList = {"Drums\\Snares.mxgrp", "Internal.mxgrp"};
        temp_.WriteFile("Lib/Groups/Drums/Snares.mxgrp",
                        GroupBytes({"Samples/Drums/Snare/Snare V24.wav", "Samples/Drums/Snare/Snare V110.wav",
                                    "Samples/Drums/Kick/Kick 1.wav"}));
        temp_.WriteFile("Lib/Groups/Internal.mxgrp",
                        GroupBytes({"Internal Sound Engine", "no samples here"}));

        InstrumentEntry& piano = library().InstrumentList.emplace_back();
        piano.Name = "Grand Piano";  // no category; its samples found out of order
        for (const char* path :
             {"Grand Piano\\Grand G3.wav", "Grand Piano\\Grand C3.wav", "Grand Piano\\Grand E3.wav"}) {
            piano.AddSample(path);
        }
        InstrumentEntry& strings = library().InstrumentList.emplace_back();
        strings.Name = "Strings";
        strings.Category = "Orchestra";
        for (const char* path : {"Orchestra\\Strings\\Vln C3 a.wav", "Orchestra\\Strings\\Vln C3 b.wav",
                                 "Orchestra\\Strings\\Vln C3 c.wav"}) {
            strings.AddSample(path);
        }
    }

    LibraryModel& library() { return session_.library; }

    // Lists the library in the main list as the window does, then selects as the case says.
    void Check(const Selection& selection) {
        RecordingServices ui;
        if (library().ShowInstruments == 1) {
            for (const auto& entry : library().InstrumentList)
                ui.mainRows.push_back(entry.Name);
        } else {
            ui.mainRows = library().GroupList;
        }
        ui.mainRows.push_back("****FINISHED****");  // a row beyond the library's lists
        ui.selectedMainRow = selection.mainRow;

        OnGroupSelected(session_, ui);
        EXPECT_EQ(ui.wavesRows, selection.wavesRows) << selection.what;
        EXPECT_EQ(ui.status, selection.statusAfterMain) << selection.what;

        ui.selectedWavesRow = selection.wavesRow;
        OnWaveSelected(session_, ui);
        EXPECT_EQ(ui.status, selection.statusAfterWave) << selection.what;
    }

    testing::TempFolder temp_;
    Session session_;
};

TEST_F(InspectionViewsTest, KitsViewListsPadsAndShowsTheirLayers) {
    const std::string groups = library().GroupsFolder;
    const Selection selections[] = {
        {"a pad of two layers",
         0,
         {"VEL:[24,110,,] Snare V[..].wav", "Samples/Drums/Kick/Kick 1.wav"},
         groups + "\\Drums\\Snares.mxgrp",
         0,
         "Velocities: 24,110,,  Samples/Drums/Snare/Snare V[..].wav"},
        {"a single-layer pad",
         0,
         {"VEL:[24,110,,] Snare V[..].wav", "Samples/Drums/Kick/Kick 1.wav"},
         groups + "\\Drums\\Snares.mxgrp",
         1,
         "Samples/Drums/Kick/Kick 1.wav"},
        {"a row beyond the pads",
         0,
         {"VEL:[24,110,,] Snare V[..].wav", "Samples/Drums/Kick/Kick 1.wav"},
         groups + "\\Drums\\Snares.mxgrp",
         2,
         ""},
        {"a group of internal sounds", 1, {kNoWaves}, groups + "\\Internal.mxgrp", 0, kNoWaves},
        {"a row beyond the group list", 2, {}, "", 0, ""},
    };
    for (const Selection& selection : selections)
        Check(selection);
}

TEST_F(InspectionViewsTest, InstrumentsViewOrdersTheInstrumentAndListsItsKeygroups) {
    library().ShowInstruments = 1;
    const Selection selections[] = {
        {"keygroups without layers",
         0,
         {"Grand C3.wav  (#61, Range: B-3 - D3)", "Grand E3.wav  (#65, Range: D#3 - F3)",
          "Grand G3.wav  (#68, Range: F#3 - F#8)"},
         "/Grand Piano/ [3 wavs]",
         2,
         "Grand Piano\\Grand G3.wav [Root: G3 (#68), Range: F#3 - F#8]"},
        {"a keygroup with two layers",
         1,
         {"VEL [3] Vln C3 a.wav  (#61, Range: B-3 - F#8)"},
         "Orchestra/Strings/ [1 wavs]",
         0,
         "[3 layers] Orchestra\\Strings\\Vln C3 a.wav [Root: C3 (#61), Range: B-3 - F#8]"},
        {"a row beyond the keygroups",
         1,
         {"VEL [3] Vln C3 a.wav  (#61, Range: B-3 - F#8)"},
         "Orchestra/Strings/ [1 wavs]",
         1,
         ""},
        {"a row beyond the instrument list", 2, {}, "", 0, ""},
    };
    for (const Selection& selection : selections)
        Check(selection);
    EXPECT_EQ(
        library().InstrumentList[1].Layers[0],
        (std::vector<std::string>{"Orchestra\\Strings\\Vln C3 b.wav", "Orchestra\\Strings\\Vln C3 c.wav"}));
}

TEST_F(InspectionViewsTest, WithoutSelectionOnlyTheWavesListIsEmptied) {
    RecordingServices ui;
    ui.mainRows = library().GroupList;

    OnGroupSelected(session_, ui);
    ui.selectedMainRow = 0;
    OnWaveSelected(session_, ui);  // no waves-list row selected

    EXPECT_EQ(ui.calls, (std::vector<RecordingServices::Call>{{"clearWaves", ""}, {"capture", ""}}));
}

TEST(PadTexts, MaskTheFirstLayersMarkerOrEveryCapitalV) {
    struct Case {
        const char* what;
        std::vector<std::string> layers;
        std::string row;
        std::string status;
    };
    const Case cases[] = {
        {"one layer",
         {"Samples/Vintage/Kick V24.wav"},
         "Samples/Vintage/Kick V24.wav",
         "Samples/Vintage/Kick V24.wav"},
        {"four layers, the marker's text also in a folder",
         {"Samples/V24 Hats/Hat V24.wav", "Samples/V24 Hats/Hat V50.wav", "Samples/V24 Hats/Hat V80.wav",
          "Samples/V24 Hats/Hat V120.wav"},
         "VEL:[24,50,80,120] Hat V[..].wav",
         "Velocities: 24,50,80,120  Samples/V[..] Hats/Hat V[..].wav"},
        {"no marker in the first layer",
         {"Samples/Vintage/Vox Snare.wav", "Samples/Vintage/Vox V50.wav"},
         "VEL:[,50,,] V[..]ox Snare.wav",
         "Velocities: ,50,,  Samples/V[..]intage/V[..]ox Snare.wav"},
        {"a name without folders",
         {"Snare V24.wav", "Snare V90.wav"},
         "VEL:[24,90,,] Snare V[..].wav",
         "Velocities: 24,90,,  Snare V[..].wav"},
    };
    for (const Case& c : cases) {
        PadTable pads;
        auto layers = c.layers;
        layers.resize(4);
        pads.AddRow(layers[0], layers[1], layers[2], layers[3]);
        EXPECT_EQ(PadRowText(pads, 0), c.row) << c.what;
        EXPECT_EQ(PadStatusText(pads, 0), c.status) << c.what;
    }
}

}  // namespace
}  // namespace kitvane
