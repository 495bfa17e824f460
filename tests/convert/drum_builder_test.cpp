#include "convert/drum_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
using testing::TempFolder;
using Call = RecordingServices::Call;

using namespace std::string_literals;

// Templates whose filled text is easy to take apart: the colours as one comma-separated line, then one
// line per instrument block. "%%PROGNAME%%" in the block must stay as it is.
std::string TestProgramTemplate() {
    std::string colors;
    for (int pad = 1; pad <= 128; ++pad)
        colors += (pad > 1 ? "," : "") + ("%%COLOR" + std::to_string(pad) + "%%");
    return "<name>%%PROGNAME%%</name>\n<colors>" + colors + "</colors>\n%%INSTRUMENTLOOP%%<end/>\n";
}

const std::string kTestBlockTemplate =
    "%%INSTNUMBER%%|%%SAMPLENAME1%%:%%SLICEEND1%%:%%VELSTART1%%-%%VELEND1%%"
    "|%%SAMPLENAME2%%:%%SLICEEND2%%:%%VELSTART2%%-%%VELEND2%%"
    "|%%SAMPLENAME3%%:%%SLICEEND3%%:%%VELSTART3%%-%%VELEND3%%"
    "|%%SAMPLENAME4%%:%%SLICEEND4%%:%%VELSTART4%%-%%VELEND4%%|%%VOLUME%%|%%PROGNAME%%\n";

std::string Filler(int pad) {
    return std::to_string(pad) + "|:0:0-127|:0:0-127|:0:0-127|:0:0-127|1.000000|%%PROGNAME%%";
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (auto end = text.find(separator); end != std::string::npos; end = text.find(separator, start)) {
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string Between(const std::string& text, const std::string& open, const std::string& close) {
    const auto start = text.find(open);
    if (start == std::string::npos)
        return {};
    const auto end = text.find(close, start + open.size());
    return text.substr(start + open.size(),
                       end == std::string::npos ? std::string::npos : end - start - open.size());
}

struct Program {
    std::string name;
    std::vector<std::string> colors;
    std::vector<std::string> blocks;
};

Program ParseProgram(const std::string& text) {
    std::vector<std::string> blocks = Split(Between(text, "</colors>\n", "<end/>"), '\n');
    if (!blocks.empty() && blocks.back().empty())
        blocks.pop_back();
    return {Between(text, "<name>", "</name>"), Split(Between(text, "<colors>", "</colors>"), ','), blocks};
}

// Group file bytes: each sample path between binary bytes, as group files store them.
std::string GroupBytes(const std::vector<std::string>& references) {
    std::string bytes = "\x00\x02\xfe"s;
    for (const auto& reference : references)
        bytes += reference + "\x00\x11\x9c"s;
    return bytes;
}

std::string Wave(std::uint32_t frames) {
    return testing::PcmWave(std::string(frames * 4, '\0'));
}

class DrumBuilderTest : public ::testing::Test {
protected:
    DrumBuilderTest() {
        session.library.LibraryPath = temp.MakeFolder("Lib");
        session.library.GroupsFolder = temp.PathOf("Lib\\Groups");
        session.library.GroupSubfolder = "\\Groups\\";
        session.TemplateFolder = temp.MakeFolder("Templates");
        temp.WriteFile("Templates/drum.xpm", TestProgramTemplate());
        temp.WriteFile("Templates/drumloop.xpm", kTestBlockTemplate);
    }

    void AddGroup(const std::string& entry, const std::vector<std::string>& references) {
        temp.WriteFile("Lib/Groups/" + entry, GroupBytes(references));
        session.library.GroupList.push_back(entry);
    }
    void AddSample(const std::string& reference, std::uint32_t frames) {
        temp.WriteFile("Lib/" + reference, Wave(frames));
    }

    void Run() { BuildDrumPrograms(session, ui, outputRoot); }
    std::string Out(const std::string& relative) const { return temp.PathOf("Out\\" + relative); }
    Program ProgramAt(const std::string& relative) const {
        return ParseProgram(ReadFileBytes(Out(relative)));
    }

    TempFolder temp;
    Session session;
    RecordingServices ui;
    std::string outputRoot = temp.MakeFolder("Out");
};

TEST_F(DrumBuilderTest, OnePadPlaysOneLayerOverTheWholeRangeAndTheRestAreFillers) {
    AddSample("Samples/Drums/Kick 1.wav", 100);
    AddGroup("Kit 1.mxgrp", {"Samples/Drums/Kick 1.wav"});
    Run();

    EXPECT_EQ(ui.calls, (std::vector<Call>{{"clearMain", ""},
                                           {"clearWaves", ""},
                                           {"main", "****Drum Kits****"},
                                           {"progressRange", "1"},
                                           {"progressPosition", "0"},
                                           {"log", "Kit 1.mxgrp"},
                                           {"clearWaves", ""},
                                           {"waves", "Samples/Drums/Kick 1.wav"},
                                           {"pump", ""}}));
    const Program program = ProgramAt("Kits\\Kit 1.xpm");
    EXPECT_EQ(program.name, "Kit 1");
    ASSERT_EQ(program.colors.size(), 128u);
    EXPECT_EQ(program.colors[0], "8323072");
    EXPECT_EQ(program.colors[1], "0");
    EXPECT_EQ(program.colors[127], "0");
    ASSERT_EQ(program.blocks.size(), 128u);
    EXPECT_EQ(program.blocks[0], "1|Kick 1:100:0-127|:0:0-127|:0:0-127|:0:0-127|1.000000|%%PROGNAME%%");
    for (int pad = 2; pad <= 128; ++pad)
        EXPECT_EQ(program.blocks[pad - 1], Filler(pad));
    EXPECT_EQ(ReadFileBytes(Out("Kits\\Kick 1.wav")), Wave(100));
}

TEST_F(DrumBuilderTest, SeventyPadsBuildTheFirstSixtyFourOnly) {
    std::vector<std::string> references;
    for (int i = 1; i <= 70; ++i) {
        references.push_back("Samples/Perc " + std::to_string(i) + ".wav");
        AddSample(references.back(), static_cast<std::uint32_t>(i));
    }
    AddGroup("Big.mxgrp", references);
    Run();

    const Program program = ProgramAt("Kits\\Big.xpm");
    ASSERT_EQ(program.blocks.size(), 128u);
    EXPECT_EQ(program.blocks[63], "64|Perc 64:64:0-127|:0:0-127|:0:0-127|:0:0-127|1.000000|%%PROGNAME%%");
    for (int pad = 65; pad <= 128; ++pad)
        EXPECT_EQ(program.blocks[pad - 1], Filler(pad));
    EXPECT_EQ(program.colors[63], "1134440");
    EXPECT_EQ(program.colors[64], "0");
    EXPECT_EQ(ui.wavesRows.size(), 64u);
    EXPECT_EQ(ui.wavesRows.back(), "Samples/Perc 64.wav");
    EXPECT_TRUE(PathExists(Out("Kits\\Perc 64.wav")));
    EXPECT_FALSE(PathExists(Out("Kits\\Perc 65.wav")));
    EXPECT_FALSE(PathExists(Out("Kits\\Perc 70.wav")));
}

TEST_F(DrumBuilderTest, LayeredPadsGetTheVelocityBandsAndRepeatTheirTopLayer) {
    for (const char* velocity : {"20", "70", "10", "50", "90"})
        AddSample(std::string("Samples/Snare V") + velocity + ".wav", 10);
    AddSample("Samples/Tom V50.wav", 50);
    AddSample("Samples/Tom V90.wav", 90);
    AddGroup("Layers.mxgrp", {"Samples/Snare V20.wav", "Samples/Snare V70.wav", "Samples/Tom V10.wav",
                              "Samples/Tom V50.wav", "Samples/Tom V90.wav"});
    Run();

    const Program program = ProgramAt("Kits\\Layers.xpm");
    ASSERT_EQ(program.blocks.size(), 128u);
    // The tom's first layer is missing from the library: it is named all the same, with 0 frames.
    EXPECT_EQ(program.blocks[0],
              "1|Snare V20:10:0-32|Snare V70:10:33-64|Snare V70:10:65-96|Snare "
              "V70:10:97-127|1.000000|%%PROGNAME%%");
    EXPECT_EQ(program.blocks[1],
              "2|Tom V10:0:0-32|Tom V50:50:33-64|Tom V90:90:65-96|Tom V90:90:97-127|1.000000|%%PROGNAME%%");
    EXPECT_EQ(program.colors[0], "8355584");
    EXPECT_EQ(program.colors[1], "8959");
    EXPECT_EQ(ui.wavesRows, (std::vector<std::string>{"Samples/Snare V20.wav", "Samples/Tom V10.wav"}));
    EXPECT_TRUE(PathExists(Out("Kits\\Tom V90.wav")));
    EXPECT_FALSE(PathExists(Out("Kits\\Tom V10.wav")));
}

// A lone layer marked above 127 keeps the pad's first slot: it is copied and plays over the whole range.
TEST_F(DrumBuilderTest, PadWhoseOnlyLayerIsMarkedAbove127PlaysIt) {
    AddSample("d/Kick V20.wav", 20);
    AddSample("d/Snare V200.wav", 200);
    AddGroup("Odd.mxgrp", {"d/Kick V10.wav", "d/Kick V20.wav", "d/Snare V200.wav"});
    Run();

    const Program program = ProgramAt("Kits\\Odd.xpm");
    ASSERT_EQ(program.blocks.size(), 128u);
    EXPECT_EQ(program.blocks[1], "2|Snare V200:200:0-127|:0:0-127|:0:0-127|:0:0-127|1.000000|%%PROGNAME%%");
    EXPECT_EQ(program.colors[1], "8355584");
    EXPECT_EQ(ui.wavesRows, (std::vector<std::string>{"d/Kick V20.wav", "d/Snare V200.wav"}));
    EXPECT_EQ(ReadFileBytes(Out("Kits\\Snare V200.wav")), Wave(200));
}

TEST_F(DrumBuilderTest, KitVolumeFillsBuiltPadsWhileFillersStayAtFullVolume) {
    session.options.KitVolume = 2;  // "80%"
    AddGroup("Quiet.mxgrp", {"Samples/Kick 1.wav"});
    Run();

    const Program program = ProgramAt("Kits\\Quiet.xpm");
    ASSERT_EQ(program.blocks.size(), 128u);
    EXPECT_EQ(program.blocks[0], "1|Kick 1:0:0-127|:0:0-127|:0:0-127|:0:0-127|0.800000|%%PROGNAME%%");
    EXPECT_EQ(program.blocks[1], Filler(2));
}

TEST_F(DrumBuilderTest, KitFolderGivesEachProgramItsOwnFolderWithItsPreview) {
    session.options.KitFolder = 1;
    AddSample("Samples/Kick 1.wav", 5);
    temp.WriteFile("Lib/Groups/.previews/Kit 1.mxgrp.ogg", "preview");
    AddGroup("Kit 1.mxgrp", {"Samples/Kick 1.wav"});
    Run();

    EXPECT_EQ(ProgramAt("Kits\\Kit 1\\Kit 1.xpm").blocks.size(), 128u);
    EXPECT_TRUE(PathExists(Out("Kits\\Kit 1\\Kick 1.wav")));
    EXPECT_EQ(ReadFileBytes(Out("Kits\\Kit 1\\[Previews]\\Kit 1.xpm.ogg")), "preview");
    EXPECT_EQ(ui.wavesRows, (std::vector<std::string>{"Samples/Kick 1.wav", "[Previews]"}));
}

TEST_F(DrumBuilderTest, NamesGoIntoTheProgramXmlEscaped) {
    AddSample("Samples/Kick & 'Hat'.wav", 3);
    AddGroup("R&B 'Drums'.mxgrp", {"Samples/Kick & 'Hat'.wav"});
    Run();

    const Program program = ProgramAt("Kits\\R&B 'Drums'.xpm");
    EXPECT_EQ(program.name, "R&amp;B &apos;Drums&apos;");
    EXPECT_EQ(program.blocks[0].substr(0, 29), "1|Kick &amp; &apos;Hat&apos;:");
    EXPECT_TRUE(PathExists(Out("Kits\\Kick & 'Hat'.wav")));
}

TEST_F(DrumBuilderTest, EmptyGroupListOnlyPreparesTheLists) {
    Run();
    EXPECT_EQ(
        ui.calls,
        (std::vector<Call>{
            {"clearMain", ""}, {"clearWaves", ""}, {"main", "****Drum Kits****"}, {"progressRange", "0"}}));
}

TEST_F(DrumBuilderTest, GroupWithoutSamplesIsLoggedAndMakesNothing) {
    AddGroup("Internal.mxgrp", {"no samples here"});
    session.library.GroupList.push_back("Missing.mxgrp");
    Run();

    EXPECT_EQ(ui.TextsOf("log"), (std::vector<std::string>{"Internal.mxgrp", "Missing.mxgrp"}));
    EXPECT_EQ(ui.pumpCount, 0);
    EXPECT_EQ(ui.TextsOf("progressPosition"), (std::vector<std::string>{"0", "1"}));
    EXPECT_FALSE(PathExists(Out("Kits")));
}

TEST_F(DrumBuilderTest, MissingTemplateIsReportedBeforeTheListsAreTouched) {
    const struct {
        std::vector<const char*> present;
        const char* message;
    } cases[] = {
        {{}, "Can't find the drum.xpm - it should be where this app exe is!"},
        {{"drumloop.xpm"}, "Can't find the drum.xpm - it should be where this app exe is!"},
        {{"drum.xpm"}, "Can't find the drumloop.xpm - it should be where this app exe is!"},
    };
    AddSample("Samples/Kick 1.wav", 5);
    AddGroup("Kit 1.mxgrp", {"Samples/Kick 1.wav"});
    for (const auto& c : cases) {
        TempFolder templates;
        for (const char* name : c.present)
            templates.WriteFile(name, "text");
        session.TemplateFolder = templates.Path();
        RecordingServices fresh;
        BuildDrumPrograms(session, fresh, outputRoot);
        EXPECT_EQ(fresh.calls, (std::vector<Call>{{"message", c.message}})) << c.message;
    }
    EXPECT_FALSE(PathExists(Out("Kits")));
}

// Raises the stop flag as soon as the waves list gets the given row, as a close request would.
class StopAtWavesRow : public RecordingServices {
public:
    explicit StopAtWavesRow(std::string row) : row_(std::move(row)) {}
    void AddWavesRow(const std::string& text) override {
        RecordingServices::AddWavesRow(text);
        if (text == row_)
            stopRequested = true;
    }

private:
    std::string row_;
};

class DrumBuilderStopTest : public DrumBuilderTest {
protected:
    DrumBuilderStopTest() {
        for (const char* name : {"A 1", "A 2", "C 1", "D 1"})
            AddSample("Samples/" + std::string(name) + ".wav", 4);
        AddGroup("A.mxgrp", {"Samples/A 1.wav", "Samples/A 2.wav"});
        AddGroup("B.mxgrp", {});
        AddGroup("C.mxgrp", {"Samples/C 1.wav"});
        AddGroup("D.mxgrp", {"Samples/D 1.wav"});
    }
};

TEST_F(DrumBuilderStopTest, StopBeforeTheFirstPadWritesNothingOfThatGroup) {
    ui.stopRequested = true;
    Run();
    EXPECT_EQ(ui.TextsOf("log"), (std::vector<std::string>{"A.mxgrp"}));
    EXPECT_EQ(ui.calls.back(), (Call{"clearWaves", ""}));
    EXPECT_FALSE(PathExists(Out("Kits\\A.xpm")));
    EXPECT_FALSE(PathExists(Out("Kits\\A 1.wav")));
}

TEST_F(DrumBuilderStopTest, StopAtALaterPadKeepsTheSamplesCopiedSoFar) {
    StopAtWavesRow stopping("Samples/A 1.wav");
    BuildDrumPrograms(session, stopping, outputRoot);
    EXPECT_EQ(stopping.TextsOf("waves"), (std::vector<std::string>{"Samples/A 1.wav"}));
    EXPECT_TRUE(PathExists(Out("Kits\\A 1.wav")));
    EXPECT_FALSE(PathExists(Out("Kits\\A 2.wav")));
    EXPECT_FALSE(PathExists(Out("Kits\\A.xpm")));
    EXPECT_EQ(stopping.pumpCount, 0);
}

// A stop raised while the last pad is built is seen after the program is written, before the drain.
TEST_F(DrumBuilderStopTest, StopAfterTheLastPadStillWritesThatProgramButDrainsNothing) {
    StopAtWavesRow stopping("Samples/A 2.wav");
    BuildDrumPrograms(session, stopping, outputRoot);
    EXPECT_EQ(ProgramAt("Kits\\A.xpm").blocks.size(), 128u);
    EXPECT_EQ(stopping.pumpCount, 0);
    EXPECT_EQ(stopping.TextsOf("log"), (std::vector<std::string>{"A.mxgrp"}));
}

// A close during the drain after A: B has no pads and is only logged; C is logged and stops at its first pad.
TEST_F(DrumBuilderStopTest, StopDuringTheDrainEndsAtTheNextGroupWithPads) {
    ui.onPump = [this](int) { ui.stopRequested = true; };
    Run();
    EXPECT_EQ(ui.TextsOf("log"), (std::vector<std::string>{"A.mxgrp", "B.mxgrp", "C.mxgrp"}));
    EXPECT_EQ(ui.pumpCount, 1);
    EXPECT_TRUE(ui.wavesRows.empty());
    EXPECT_TRUE(PathExists(Out("Kits\\A.xpm")));
    EXPECT_FALSE(PathExists(Out("Kits\\C.xpm")));
    EXPECT_FALSE(PathExists(Out("Kits\\C 1.wav")));
}

// Two kits in one folder whose kicks share a file name but not their sound: each program plays its own
// kick, and a second run finds both copies again and adds no file.
TEST_F(DrumBuilderTest, KitsWithDifferentSamplesOfOneNameEachPlayTheirOwn) {
    AddSample("Samples/Kit A/Kick.wav", 10);
    AddSample("Samples/Kit B/Kick.wav", 20);
    AddGroup("Kit A.mxgrp", {"Samples/Kit A/Kick.wav"});
    AddGroup("Kit B.mxgrp", {"Samples/Kit B/Kick.wav"});
    for (int run = 1; run <= 2; ++run) {
        Run();
        EXPECT_EQ(ProgramAt("Kits\\Kit A.xpm").blocks[0],
                  "1|Kick:10:0-127|:0:0-127|:0:0-127|:0:0-127|1.000000|%%PROGNAME%%")
            << run;
        EXPECT_EQ(ProgramAt("Kits\\Kit B.xpm").blocks[0],
                  "1|Kick (2):20:0-127|:0:0-127|:0:0-127|:0:0-127|1.000000|%%PROGNAME%%")
            << run;
    }
    EXPECT_EQ(ReadFileBytes(Out("Kits\\Kick.wav")), Wave(10));
    EXPECT_EQ(ReadFileBytes(Out("Kits\\Kick (2).wav")), Wave(20));
    EXPECT_EQ(platform::ListDirectory(Out("Kits")).size(), 4u);  // two programs, two samples
}

// A sample that changed in the library since the first run is copied beside the old copy, which stays;
// the rewritten program names the new one. The preview is never replaced.
TEST_F(DrumBuilderTest, SecondRunRewritesProgramsAndKeepsSamplesAndPreviews) {
    AddSample("Samples/Kick 1.wav", 10);
    temp.WriteFile("Lib/Groups/previews/Kit 1.mxgrp.ogg", "first preview");
    AddGroup("Kit 1.mxgrp", {"Samples/Kick 1.wav"});
    Run();
    EXPECT_EQ(ProgramAt("Kits\\Kit 1.xpm").blocks[0].substr(0, 12), "1|Kick 1:10:");

    temp.WriteFile("Out/Kits/Kit 1.xpm", "stale");
    const std::string changed = testing::PcmWave(std::string(40, '\x01'));
    temp.WriteFile("Lib/Samples/Kick 1.wav", changed);
    temp.WriteFile("Lib/Groups/previews/Kit 1.mxgrp.ogg", "second preview");
    Run();

    EXPECT_EQ(ProgramAt("Kits\\Kit 1.xpm").blocks[0].substr(0, 16), "1|Kick 1 (2):10:");
    EXPECT_EQ(ReadFileBytes(Out("Kits\\Kick 1.wav")), Wave(10));
    EXPECT_EQ(ReadFileBytes(Out("Kits\\Kick 1 (2).wav")), changed);
    EXPECT_EQ(ReadFileBytes(Out("Kits\\[Previews]\\Kit 1.xpm.ogg")), "first preview");
}

// A kit of a layered pad, a plain pad and a pad whose only layer is marked above 127, built with the
// shipped templates: the program has the shape of exports, every pad plays each of its samples at
// every velocity, and no placeholder is left.
TEST(DrumBuilderShippedTemplates, FilledProgramHasTheExportShapeAndPlaysEveryPad) {
    TempFolder temp;
    Session session;
    session.library.LibraryPath = temp.MakeFolder("Lib");
    session.library.GroupsFolder = temp.PathOf("Lib\\Groups");
    session.TemplateFolder = platform::ExecutableFolder();
    const std::vector<std::string> samples = {"Samples/Kick V30.wav", "Samples/Kick V90.wav",
                                              "Samples/Clap.wav", "Samples/Snare V200.wav"};
    for (std::size_t i = 0; i < samples.size(); ++i)
        temp.WriteFile("Lib/" + samples[i], Wave(1000 * static_cast<std::uint32_t>(i + 1)));
    temp.WriteFile("Lib/Groups/Kit 1.mxgrp", GroupBytes(samples));
    session.library.GroupList = {"Kit 1.mxgrp"};
    RecordingServices ui;
    BuildDrumPrograms(session, ui, temp.MakeFolder("Out"));

    const std::string program = ReadFileBytes(temp.PathOf("Out\\Kits\\Kit 1.xpm"));
    EXPECT_EQ(program.find("%%"), std::string::npos);
    std::string problem;
    const auto root = testing::ParseXml(program, problem);
    ASSERT_TRUE(root.has_value()) << problem;
    EXPECT_EQ(testing::ExportShapeDepartures(*root), std::vector<std::string>{});
    EXPECT_EQ(testing::PlayDepartures(*root), std::vector<std::string>{});
    const auto instruments = root->Child("Program")->Child("Instruments")->Children("Instrument");
    const std::vector<std::pair<int, const char*>> padSamples = {
        {0, "Kick V30"}, {1, "Clap"}, {2, "Snare V200"}};
    for (const auto& [pad, sample] : padSamples) {
        EXPECT_EQ(instruments[pad]->Child("Layers")->Child("Layer")->Child("SampleName")->text, sample);
    }
    EXPECT_EQ(instruments[0]->Child("Layers")->Children("Layer")[1]->Child("SliceEnd")->text, "2000");
}

}  // namespace
}  // namespace kitvane
