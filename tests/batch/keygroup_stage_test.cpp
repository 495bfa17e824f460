#include "batch/keygroup_stage.h"

#include <gtest/gtest.h>

#include "convert/path_operations.h"
#include "platform/file_system.h"
#include "tests/support/mpc_shape.h"
#include "tests/support/recording_services.h"
#include "tests/support/riff_bytes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/xml_check.h"

namespace kitvane {
namespace {

using testing::ReadFileBytes;
using testing::RecordingServices;
using Call = RecordingServices::Call;

// Small templates that show every placeholder of a keygroup, one line per layer slot. The program
// name inside the block template must survive: it is not a placeholder of that template.
constexpr const char* kProgramTemplate = "%%PROGNAME%% keygroups %%NUMKEYGROUP%%\n%%INSTRUMENTLOOP%%";
constexpr const char* kBlockTemplate =
    "#%%INSTNUMBER%% keys %%LOWNOTE%%-%%HIGHNOTE%% roots ##ROOTNOTE1%%,##ROOTNOTE2%%,##ROOTNOTE3%%,"
    "##ROOTNOTE4%% volume %%VOLUME%% release %%VOLRELEASE%% %%PROGNAME%%\n"
    " [%%SAMPLENAME1%%] %%SLICEEND1%% %%VELSTART1%%-%%VELEND1%%\n"
    " [%%SAMPLENAME2%%] %%SLICEEND2%% %%VELSTART2%%-%%VELEND2%%\n"
    " [%%SAMPLENAME3%%] %%SLICEEND3%% %%VELSTART3%%-%%VELEND3%%\n"
    " [%%SAMPLENAME4%%] %%SLICEEND4%% %%VELSTART4%%-%%VELEND4%%\n";

// A 16-bit stereo WAV of the given number of frames.
std::string WaveOfFrames(std::size_t frames) {
    return testing::PcmWave(std::string(frames * 4, '\0'));
}

class KeygroupStageTest : public ::testing::Test {
protected:
    void SetUp() override {
        temp_.WriteFile("bin/keygroup.xpm", kProgramTemplate);
        temp_.WriteFile("bin/keyloop.xpm", kBlockTemplate);
    }

    // An instrument entry as the library scan leaves it, its samples written with the given frame counts.
    InstrumentEntry& AddInstrument(const std::string& name, const std::string& category,
                                   const std::vector<std::pair<std::string, std::size_t>>& samples) {
        InstrumentEntry& entry = library_.InstrumentList.emplace_back();
        entry.Name = name;
        entry.Category = category;
        for (const auto& [relativePath, frames] : samples) {
            temp_.WriteFile("Lib/Samples/Instruments/" + relativePath, WaveOfFrames(frames));
            entry.AddSample(relativePath);
        }
        return entry;
    }

    StageOutcome Run(RecordingServices& ui) {
        return RunKeygroupStage(library_, ui, temp_.PathOf("Lib"), temp_.PathOf("Out"), temp_.PathOf("bin"),
                                /*keygroupVolume=*/2, /*noteRelease=*/1);
    }
    StageOutcome Run() { return Run(ui_); }

    std::string Output(const std::string& relative) const {
        return ReadFileBytes(temp_.PathOf("Out/" + relative));
    }
    bool OutputExists(const std::string& relative) const {
        return PathExists(temp_.PathOf("Out/" + relative));
    }

    testing::TempFolder temp_;
    LibraryModel library_;
    RecordingServices ui_;
};

TEST_F(KeygroupStageTest, OneSampleBecomesOneKeygroupOverTheWholeKeyboard) {
    AddInstrument("Piano", "Keys", {{"Keys\\Piano\\Piano C3.wav", 10}});

    EXPECT_EQ(Run(), StageOutcome::RanToEnd);

    EXPECT_EQ(Output("Keygroups/Keys/Piano.xpm"),
              "Piano keygroups 1\n"
              "#1 keys 0-127 roots 61,0,0,0 volume 0.800000 release 0.670000 %%PROGNAME%%\n"
              " [Piano C3] 10 0-127\n"
              " [] 0 0-127\n"
              " [] 0 0-127\n"
              " [] 0 0-127\n");
    EXPECT_EQ(Output("Keygroups/Keys/Piano C3.wav"), WaveOfFrames(10));
    EXPECT_EQ(Output("Keygroups/Keys/[Previews]/Piano.xpm.wav"), WaveOfFrames(10));
    EXPECT_EQ(ui_.calls, (std::vector<Call>{{"main", "****Keygroups****"},
                                            {"status", "Creating Keygroups...."},
                                            {"progressRange", "1"},
                                            {"progressPosition", "0"},
                                            {"log", "Keygroup: Piano"},
                                            {"clearWaves", ""},
                                            {"waves", "Piano C3  Note:61"},
                                            {"waves", "[Previews]"},
                                            {"pump", ""}}));
}

TEST_F(KeygroupStageTest, KeygroupsSplitTheKeyboardAndEachNamesItsOwnSample) {
    AddInstrument("Bass", "Synth",
                  {{"Synth\\Bass\\Bass C2.wav", 20},
                   {"Synth\\Bass\\Bass C1.wav", 10},
                   {"Synth\\Bass\\Bass F#1.wav", 15}});

    EXPECT_EQ(Run(), StageOutcome::RanToEnd);

    const std::string program = Output("Keygroups/Synth/Bass.xpm");
    EXPECT_NE(program.find("Bass keygroups 3\n#1 keys 0-40 roots 37,0,0,0"), std::string::npos) << program;
    EXPECT_NE(program.find("#2 keys 41-46 roots 43,0,0,0"), std::string::npos) << program;
    EXPECT_NE(program.find("#3 keys 47-127 roots 49,0,0,0"), std::string::npos) << program;
    EXPECT_NE(program.find(" [Bass F#1] 15 0-127\n"), std::string::npos) << program;
    EXPECT_EQ(ui_.TextsOf("waves"), (std::vector<std::string>{"Bass C1  Note:37", "Bass F#1  Note:43",
                                                              "Bass C2  Note:49", "[Previews]"}));
    EXPECT_EQ(Output("Keygroups/Synth/[Previews]/Bass.xpm.wav"), WaveOfFrames(20));  // C2 is note 49
}

// The layers that are placed share the velocities up to 127 and play at the keygroup's root; from the
// fourth extra layer on, layers are neither copied nor placed.
TEST_F(KeygroupStageTest, ExtraLayersShareTheVelocitiesAndAtMostThreeAreUsed) {
    struct Case {
        std::size_t extraLayers;
        const char* roots;
        const char* layerLines;
    };
    const Case cases[] = {
        {1, "roots 61,61,0,0",
         " [Pad C3 0] 100 0-64\n [Pad C3 1] 101 65-127\n [] 0 127-127\n [] 0 127-127\n"},
        {2, "roots 61,61,61,0",
         " [Pad C3 0] 100 0-43\n [Pad C3 1] 101 44-86\n [Pad C3 2] 102 87-127\n [] 0 127-127\n"},
        {3, "roots 61,61,61,61",
         " [Pad C3 0] 100 0-32\n [Pad C3 1] 101 33-64\n [Pad C3 2] 102 65-96\n [Pad C3 3] 103 97-127\n"},
        {4, "roots 61,61,61,61",
         " [Pad C3 0] 100 0-32\n [Pad C3 1] 101 33-64\n [Pad C3 2] 102 65-96\n [Pad C3 3] 103 97-127\n"},
        {5, "roots 61,61,61,61",
         " [Pad C3 0] 100 0-32\n [Pad C3 1] 101 33-64\n [Pad C3 2] 102 65-96\n [Pad C3 3] 103 97-127\n"},
    };
    for (const Case& c : cases) {
        testing::TempFolder output;
        std::vector<std::pair<std::string, std::size_t>> samples;
        for (std::size_t i = 0; i <= c.extraLayers; ++i) {
            samples.emplace_back("Pad\\Pad C3 " + std::to_string(i) + ".wav", 100 + i);
        }
        library_.InstrumentList.clear();
        AddInstrument("Pad", "", samples);
        RecordingServices ui;

        RunKeygroupStage(library_, ui, temp_.PathOf("Lib"), output.Path(), temp_.PathOf("bin"), 2, 1);

        const std::string program = ReadFileBytes(output.PathOf("Keygroups/Pad.xpm"));
        EXPECT_NE(program.find(c.roots), std::string::npos) << c.extraLayers << " extra:\n" << program;
        EXPECT_NE(program.find(c.layerLines), std::string::npos) << c.extraLayers << " extra:\n" << program;
        for (std::size_t i = 0; i <= c.extraLayers; ++i) {
            const bool copied = PathExists(output.PathOf("Keygroups/Pad C3 " + std::to_string(i) + ".wav"));
            EXPECT_EQ(copied, i <= 3) << c.extraLayers << " extra, sample " << i;
        }
        // The preview is the last extra layer, even one that is not part of the program.
        EXPECT_EQ(ReadFileBytes(output.PathOf("Keygroups/[Previews]/Pad.xpm.wav")),
                  WaveOfFrames(100 + c.extraLayers))
            << c.extraLayers;
    }
}

TEST_F(KeygroupStageTest, PreviewComesFromTheFirstKeygroupNearestToNote49) {
    AddInstrument("Vox", "Choir",
                  {{"Vox\\Vox D2.wav", 51},
                   {"Vox\\Vox A#1.wav", 47},
                   {"Vox\\Vox E1.wav", 41},
                   {"Vox\\Vox C5.wav", 85}});

    Run();

    EXPECT_EQ(Output("Keygroups/Choir/[Previews]/Vox.xpm.wav"), WaveOfFrames(47));
}

TEST_F(KeygroupStageTest, InstrumentWithoutCategoryLiesDirectlyBelowKeygroups) {
    AddInstrument("Bells", "", {{"Bells\\Bell C4.wav", 5}});

    Run();

    EXPECT_TRUE(OutputExists("Keygroups/Bells.xpm"));
    EXPECT_EQ(Output("Keygroups/Bell C4.wav"), WaveOfFrames(5));
    EXPECT_EQ(Output("Keygroups/[Previews]/Bells.xpm.wav"), WaveOfFrames(5));
}

TEST_F(KeygroupStageTest, NamesAreEscapedInTheProgramButNotOnDisk) {
    AddInstrument("R&B Keys", "Keys", {{"Keys\\R&B\\Rhodes 'soft' C3.wav", 7}});

    Run();

    const std::string program = Output("Keygroups/Keys/R&B Keys.xpm");
    EXPECT_EQ(program.substr(0, program.find('\n')), "R&amp;B Keys keygroups 1");
    EXPECT_NE(program.find(" [Rhodes &apos;soft&apos; C3] 7 0-127\n"), std::string::npos) << program;
    EXPECT_EQ(Output("Keygroups/Keys/Rhodes 'soft' C3.wav"), WaveOfFrames(7));
    EXPECT_EQ(ui_.TextsOf("log"), std::vector<std::string>{"Keygroup: R&B Keys"});
    EXPECT_EQ(ui_.TextsOf("waves").front(), "Rhodes 'soft' C3  Note:61");
}

// Two instruments of one category whose samples share a file name but not their sound: each program
// plays its own, and a second run adds no file.
TEST_F(KeygroupStageTest, DifferentSamplesOfOneFileNameEachKeepTheirOwnCopy) {
    AddInstrument("Grand", "Keys", {{"Keys\\Grand\\Key C3.wav", 10}});
    AddInstrument("Upright", "Keys", {{"Keys\\Upright\\Key C3.wav", 20}});

    for (int run = 1; run <= 2; ++run) {
        Run();
        EXPECT_NE(Output("Keygroups/Keys/Grand.xpm").find(" [Key C3] 10 "), std::string::npos) << run;
        EXPECT_NE(Output("Keygroups/Keys/Upright.xpm").find(" [Key C3 (2)] 20 "), std::string::npos) << run;
    }
    EXPECT_EQ(Output("Keygroups/Keys/Key C3.wav"), WaveOfFrames(10));
    EXPECT_EQ(Output("Keygroups/Keys/Key C3 (2).wav"), WaveOfFrames(20));
    EXPECT_EQ(platform::ListDirectory(temp_.PathOf("Out/Keygroups/Keys")).size(), 5u);  // and [Previews]
}

// A file already under the sample's name that holds something else stays as it is; the sample is
// copied beside it, and the rewritten program names the copy.
TEST_F(KeygroupStageTest, SecondRunRewritesProgramsButKeepsSamples) {
    AddInstrument("Piano", "Keys", {{"Keys\\Piano\\Piano C3.wav", 10}});
    temp_.WriteFile("Out/Keygroups/Keys/Piano C3.wav", "older copy");
    temp_.WriteFile("Out/Keygroups/Keys/Piano.xpm", std::string(1000, 'x'));

    Run();

    EXPECT_EQ(Output("Keygroups/Keys/Piano C3.wav"), "older copy");
    EXPECT_EQ(Output("Keygroups/Keys/Piano C3 (2).wav"), WaveOfFrames(10));
    EXPECT_EQ(Output("Keygroups/Keys/Piano.xpm").substr(0, 18), "Piano keygroups 1\n");
    EXPECT_NE(Output("Keygroups/Keys/Piano.xpm").find(" [Piano C3 (2)] 10 0-127\n"), std::string::npos);
    EXPECT_EQ(Output("Keygroups/Keys/Piano.xpm").find('x'), std::string::npos);
}

TEST_F(KeygroupStageTest, MissingTemplateIsShownAndEndsTheRun) {
    struct Case {
        const char* present;
        const char* message;
    };
    const Case cases[] = {
        {"keyloop.xpm", "Can't find the keygroup.xpm - it should be where this app exe is!"},
        {"keygroup.xpm", "Can't find the keyloop.xpm - it should be where this app exe is!"},
    };
    AddInstrument("Piano", "Keys", {{"Keys\\Piano\\Piano C3.wav", 10}});
    for (const Case& c : cases) {
        testing::TempFolder templates;
        templates.WriteFile(c.present, "x");
        RecordingServices ui;

        EXPECT_EQ(
            RunKeygroupStage(library_, ui, temp_.PathOf("Lib"), temp_.PathOf("Out"), templates.Path(), 2, 1),
            StageOutcome::EndedRun);

        EXPECT_EQ(ui.calls, (std::vector<Call>{{"main", "****Keygroups****"},
                                               {"status", "Creating Keygroups...."},
                                               {"message", c.message}}));
        EXPECT_FALSE(OutputExists("Keygroups"));
    }
}

TEST_F(KeygroupStageTest, StopBeforeAnInstrumentEndsTheRunAfterTheLastWrittenProgram) {
    AddInstrument("Grand", "Keys", {{"Keys\\Grand\\Grand C3.wav", 10}});
    AddInstrument("Upright", "Keys", {{"Keys\\Upright\\Upright C3.wav", 10}});
    ui_.onPump = [this](int) { ui_.stopRequested = true; };

    EXPECT_EQ(Run(), StageOutcome::EndedRun);

    EXPECT_TRUE(OutputExists("Keygroups/Keys/Grand.xpm"));
    EXPECT_FALSE(OutputExists("Keygroups/Keys/Upright C3.wav"));
    EXPECT_EQ(ui_.TextsOf("log"), std::vector<std::string>{"Keygroup: Grand"});
    EXPECT_EQ(ui_.TextsOf("progressPosition"), std::vector<std::string>{"0"});
}

// A close request that arrives while a keygroup is built, as a front end might raise it from an event.
class StopAfterFirstKeygroup : public RecordingServices {
public:
    void AddWavesRow(const std::string& text) override {
        RecordingServices::AddWavesRow(text);
        stopRequested = true;
    }
};

TEST_F(KeygroupStageTest, StopBeforeAKeygroupLeavesTheInstrumentWithoutProgramOrPreview) {
    AddInstrument("Piano", "Keys", {{"Keys\\Piano\\Piano C3.wav", 10}, {"Keys\\Piano\\Piano C4.wav", 10}});
    StopAfterFirstKeygroup ui;

    EXPECT_EQ(Run(ui), StageOutcome::EndedRun);

    EXPECT_TRUE(OutputExists("Keygroups/Keys/Piano C3.wav"));  // copied before the stop, and kept
    EXPECT_FALSE(OutputExists("Keygroups/Keys/Piano C4.wav"));
    EXPECT_FALSE(OutputExists("Keygroups/Keys/Piano.xpm"));
    EXPECT_FALSE(OutputExists("Keygroups/Keys/[Previews]"));
    EXPECT_EQ(ui.pumpCount, 0);
}

TEST_F(KeygroupStageTest, EntryWithoutSamplesIsPassedOver) {
    library_.InstrumentList.emplace_back();
    AddInstrument("Piano", "Keys", {{"Keys\\Piano\\Piano C3.wav", 10}});

    EXPECT_EQ(Run(), StageOutcome::RanToEnd);

    EXPECT_EQ(ui_.TextsOf("log"), std::vector<std::string>{"Keygroup: Piano"});
    EXPECT_EQ(ui_.TextsOf("progressPosition"), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(ui_.pumpCount, 1);
}

// Built with the shipped templates, every program has the shape of exports and plays every sample at
// its root over the whole velocity range, also with more layers on one note than are placed.
TEST_F(KeygroupStageTest, ShippedTemplatesGiveProgramsOfTheExportShapeThatPlayEverySample) {
    AddInstrument("R&B Keys", "Keys",
                  {{"Keys\\R&B\\Rhodes C3 soft.wav", 30},
                   {"Keys\\R&B\\Rhodes C3 hard.wav", 31},
                   {"Keys\\R&B\\Rhodes C4.wav", 40}});
    AddInstrument("Strings", "Keys",
                  {{"Keys\\Strings\\Strings A2 1.wav", 1},
                   {"Keys\\Strings\\Strings A2 2.wav", 2},
                   {"Keys\\Strings\\Strings A2 3.wav", 3},
                   {"Keys\\Strings\\Strings A2 4.wav", 4},
                   {"Keys\\Strings\\Strings A2 5.wav", 5}});

    RunKeygroupStage(library_, ui_, temp_.PathOf("Lib"), temp_.PathOf("Out"), platform::ExecutableFolder(), 0,
                     2);

    for (const char* name : {"R&B Keys", "Strings"}) {
        const std::string program = Output(std::string("Keygroups/Keys/") + name + ".xpm");
        EXPECT_EQ(program.find("%%"), std::string::npos) << name;
        EXPECT_EQ(program.find("##"), std::string::npos) << name;
        std::string problem;
        const auto root = testing::ParseXml(program, problem);
        ASSERT_TRUE(root) << name << ": " << problem;
        EXPECT_EQ(testing::ExportShapeDepartures(*root), std::vector<std::string>{}) << name;
        EXPECT_EQ(testing::PlayDepartures(*root), std::vector<std::string>{}) << name;
    }

    std::string problem;
    const auto root = testing::ParseXml(Output("Keygroups/Keys/R&B Keys.xpm"), problem);
    ASSERT_TRUE(root) << problem;
    const testing::XmlElement* keygroup = root->Child("Program");
    ASSERT_NE(keygroup, nullptr);
    EXPECT_EQ(keygroup->Child("ProgramName")->text, "R&B Keys");
    EXPECT_EQ(keygroup->Child("KeygroupNumKeygroups")->text, "2");
    const auto instruments = keygroup->Child("Instruments")->Children("Instrument");
    ASSERT_EQ(instruments.size(), 2u);
    EXPECT_EQ(instruments[1]->Child("LowNote")->text, "68");
    EXPECT_EQ(instruments[1]->Child("HighNote")->text, "127");
    EXPECT_EQ(instruments[0]->Child("Volume")->text, "1.000000");
    EXPECT_EQ(instruments[0]->Child("VolumeRelease")->text, "0.750000");
    const auto layers = instruments[0]->Child("Layers")->Children("Layer");
    ASSERT_EQ(layers.size(), 4u);
    EXPECT_EQ(layers[1]->Child("SampleName")->text, "Rhodes C3 hard");
    EXPECT_EQ(layers[1]->Child("VelStart")->text, "65");
    EXPECT_EQ(layers[1]->Child("SliceEnd")->text, "31");
    EXPECT_EQ(layers[1]->Child("RootNote")->text, "61");
}

TEST(CopyKeygroupSample, CopiesIntoTheKeygroupFolderAndMeasuresTheSource) {
    testing::TempFolder temp;
    temp.WriteFile("Instruments/Keys/Piano/Soft/Piano C3.wav", WaveOfFrames(12));
    const std::string folder = temp.MakeFolder("Out/Keygroups/Keys") + "\\";

    const KeygroupSample copied =
        CopyKeygroupSample("Keys\\Piano\\Soft\\Piano C3.wav", temp.PathOf("Instruments"), folder);
    EXPECT_EQ(copied.name, "Piano C3");
    EXPECT_EQ(copied.frameCount, "12");
    EXPECT_EQ(ReadFileBytes(temp.PathOf("Out/Keygroups/Keys/Piano C3.wav")), WaveOfFrames(12));

    const KeygroupSample missing =
        CopyKeygroupSample("Keys\\Piano\\Piano C9.wav", temp.PathOf("Instruments"), folder);
    EXPECT_EQ(missing.name, "Piano C9");
    EXPECT_EQ(missing.frameCount, "0");
    EXPECT_FALSE(PathExists(temp.PathOf("Out/Keygroups/Keys/Piano C9.wav")));
}

}  // namespace
}  // namespace kitvane
