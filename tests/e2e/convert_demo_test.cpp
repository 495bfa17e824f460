// End-to-end runs of the built kitvane-cli: make the demo library, convert it, and read back what the
// run wrote as a user's MPC would: every program well-formed, every sample and loop intact.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "riff/wave_parser.h"
#include "tests/support/mpc_shape.h"
#include "tests/support/temp_folder.h"
#include "tests/support/xml_check.h"

namespace kitvane {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::TempFolder;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

#ifdef _WIN32
std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The console's streams write text lines with "\r\n" on Windows.
std::string Lines(std::string text) {
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}

// cmd.exe takes the line in one more pair of quotes, and names beyond ASCII only as wide text.
int RunShell(const std::string& command) {
    const std::wstring wide = fs::path(std::u8string(command.begin(), command.end())).wstring();
    return _wsystem((L"\"" + wide + L"\"").c_str());
}
#else
std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

int RunShell(const std::string& command) {
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string Lines(std::string text) {
    return text;
}
#endif

// The command line is built beside this test, in the same folder.
std::string CliPath() {
    const std::string built = KITVANE_CLI;
    const std::string name = built.substr(built.find_last_of("/\\") + 1);
    return platform::ToNativePath(platform::ExecutableFolder() + "\\" + name);
}

CliRun RunCli(const TempFolder& temp, const std::string& arguments) {
    const std::string out = platform::ToNativePath(temp.PathOf("stdout.txt"));
    const std::string err = platform::ToNativePath(temp.PathOf("stderr.txt"));
    const std::string command =
        Quoted(CliPath()) + " " + arguments + " >" + Quoted(out) + " 2>" + Quoted(err);
    return {RunShell(command), Lines(ReadFileBytes(platform::FromNativePath(out))),
            Lines(ReadFileBytes(platform::FromNativePath(err)))};
}

std::set<std::string> FilesBelow(const std::string& folder) {
    std::set<std::string> files;
    const fs::path root(platform::ToNativePath(folder));
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), root).generic_string());
    }
    return files;
}

class ConvertDemo : public ::testing::Test {
protected:
    void SetUp() override {
        library = temp.PathOf("Kitvane Demo Library");
        output = temp.PathOf("Out");
        ASSERT_EQ(RunCli(temp, "make-demo " + Quoted(platform::ToNativePath(library))).status, 0);
    }
    std::string Convert(const std::string& options = "") {
        const CliRun run = RunCli(temp, "convert " + Quoted(platform::ToNativePath(library)) + " " +
                                            Quoted(platform::ToNativePath(output)) + " " + options);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        return run.out;
    }
    std::string Root() const { return output + "\\Kitvane Demo"; }

    TempFolder temp;
    std::string library;
    std::string output;
};

TEST_F(ConvertDemo, LogsEveryStageInOrder) {
    // Written as path text; the console shows it as the platform does.
    EXPECT_EQ(Convert(), platform::ForDisplay("****Drum Kits****\n"
                                              "Basic Kit.mxgrp\n"
                                              "Internal Sounds.mxgrp\n"
                                              "Vintage\\Analog\\Deep Kit.mxgrp\n"
                                              "Vintage\\Velocity Kit.mxgrp\n"
                                              "****Loops****\n"
                                              "\\Samples\\Loops\\*.* -> Loops\\*.*\n"
                                              "Beat 01 [120].wav > 120 BPM\n"
                                              "Beat 02 [90].wav > 90 BPM\n"
                                              "Arp Line [128].wav > 128 BPM\n"
                                              "Texture.wav NO BMP\n"
                                              "****Keygroups****\n"
                                              "Keygroup: Sub Bass\n"
                                              "Keygroup: Soft Piano\n"
                                              "****FINISHED****\n"));
}

TEST_F(ConvertDemo, WritesProgramsSamplesPreviewsAndLoops) {
    Convert();
    const std::set<std::string> expected{"Kits/Basic Kit.xpm",
                                         "Kits/[Previews]/Basic Kit.xpm.ogg",
                                         "Kits/Kick Round.wav",
                                         "Kits/Snare Crisp.wav",
                                         "Kits/ClosedHH Tight.wav",
                                         "Kits/OpenHH Long.wav",
                                         "Kits/Clap Wide.wav",
                                         "Kits/Tom Low.wav",
                                         "Kits/Shaker Soft.wav",
                                         "Kits/Sweep Up.wav",
                                         "Vintage/Velocity Kit.xpm",
                                         "Vintage/[Previews]/Velocity Kit.xpm.ogg",
                                         "Vintage/Snare Layer V20.wav",
                                         "Vintage/Snare Layer V50.wav",
                                         "Vintage/Snare Layer V90.wav",
                                         "Vintage/Snare Layer V120.wav",
                                         "Vintage/Kick Layer V40.wav",
                                         "Vintage/Kick Layer V110.wav",
                                         "Vintage/Cowbell.wav",
                                         "Vintage/Analog/Deep Kit.xpm",
                                         "Vintage/Analog/Kick Deep.wav",
                                         "Vintage/Analog/Rim Click.wav",
                                         "Keygroups/Bass/Sub Bass.xpm",
                                         "Keygroups/Bass/[Previews]/Sub Bass.xpm.wav",
                                         "Keygroups/Bass/Sub_C1.wav",
                                         "Keygroups/Bass/Sub_G1.wav",
                                         "Keygroups/Bass/Sub_C2.wav",
                                         "Keygroups/Keys/Soft Piano.xpm",
                                         "Keygroups/Keys/[Previews]/Soft Piano.xpm.wav",
                                         "Keygroups/Keys/Soft Piano C2.wav",
                                         "Keygroups/Keys/Soft Piano E2.wav",
                                         "Keygroups/Keys/Soft Piano G#2.wav",
                                         "Keygroups/Keys/Soft Piano C3 soft.wav",
                                         "Keygroups/Keys/Soft Piano C3 hard.wav",
                                         "Keygroups/Keys/Soft Piano C4.wav",
                                         "Loops/Drums/Beat 01 [120].wav",
                                         "Loops/Drums/Beat 02 [90].wav",
                                         "Loops/Melodic/Arp Line [128].wav",
                                         "Loops/Texture.wav"};
    EXPECT_EQ(FilesBelow(Root()), expected);
    // Samples are copied byte for byte.
    EXPECT_EQ(ReadFileBytes(Root() + "\\Kits\\Kick Round.wav"),
              ReadFileBytes(library + "\\Samples\\Drums\\Kick\\Kick Round.wav"));
}

// Every program has, per instrument and per layer, every element of the export shape in export order,
// and every instrument that holds a sample plays at every velocity, keygroup layers at their zone's root.
TEST_F(ConvertDemo, EveryProgramHasTheExportShapeAndPlaysEverySample) {
    Convert();
    for (const auto& file : FilesBelow(Root())) {
        if (fs::path(file).extension() != ".xpm")
            continue;
        std::string problem;
        const auto root =
            testing::ParseXml(ReadFileBytes(Root() + "\\" + platform::FromNativePath(file)), problem);
        ASSERT_TRUE(root.has_value()) << file << ": " << problem;
        EXPECT_EQ(testing::ExportShapeDepartures(*root), std::vector<std::string>{}) << file;
        EXPECT_EQ(testing::PlayDepartures(*root), std::vector<std::string>{}) << file;
        EXPECT_EQ(root->name, "MPCVObject");
        ASSERT_NE(root->Child("Version"), nullptr);
        const testing::XmlElement* program = root->Child("Program");
        ASSERT_NE(program, nullptr) << file;
        const auto instruments = program->Child("Instruments")->Children("Instrument");
        if (program->Attribute("type") == "Drum") {
            EXPECT_EQ(instruments.size(), 128u) << file;
        } else {
            EXPECT_EQ(program->Attribute("type"), "Keygroup");
            EXPECT_EQ(std::to_string(instruments.size()), program->Child("KeygroupNumKeygroups")->text)
                << file;
        }
        for (const auto* instrument : instruments) {
            EXPECT_EQ(instrument->Child("Layers")->Children("Layer").size(), 4u) << file;
        }
    }
}

TEST_F(ConvertDemo, TaggedLoopsKeepFormatAndFrameCount) {
    Convert();
    for (const char* loop :
         {"Drums\\Beat 01 [120].wav", "Drums\\Beat 02 [90].wav", "Melodic\\Arp Line [128].wav"}) {
        CWaveParser source, tagged;
        ASSERT_TRUE(source.Parse(library + "\\Samples\\Loops\\" + loop));
        ASSERT_TRUE(tagged.Parse(Root() + "\\Loops\\" + loop)) << tagged.errorText;
        EXPECT_EQ(tagged.frameCount, source.frameCount);
        EXPECT_EQ(tagged.channels, source.channels);
        EXPECT_EQ(tagged.bitsPerSample, source.bitsPerSample);
        EXPECT_EQ(tagged.sampleRate, source.sampleRate);
        EXPECT_NE(ReadFileBytes(Root() + "\\Loops\\" + loop).find("meta"), std::string::npos);
    }
}

// A second run rewrites the programs, adds no file for samples already copied, and never names a file
// that holds another sound: a changed copy stays, and the sample is copied beside it.
TEST_F(ConvertDemo, SecondRunRewritesProgramsAndKeepsSamples) {
    Convert();
    const std::set<std::string> firstFiles = FilesBelow(Root());
    const std::string program = Root() + "\\Kits\\Basic Kit.xpm";
    temp.WriteFile("Out/Kitvane Demo/Kits/Kick Round.wav", "kept");
    temp.WriteFile("Out/Kitvane Demo/Kits/Basic Kit.xpm", "stale");
    Convert("--kit-volume 75");
    EXPECT_EQ(ReadFileBytes(Root() + "\\Kits\\Kick Round.wav"), "kept");
    EXPECT_EQ(ReadFileBytes(Root() + "\\Kits\\Kick Round (2).wav"),
              ReadFileBytes(library + "\\Samples\\Drums\\Kick\\Kick Round.wav"));
    EXPECT_NE(ReadFileBytes(program).find("<SampleName>Kick Round (2)</SampleName>"), std::string::npos);
    EXPECT_NE(ReadFileBytes(program).find("0.750000"), std::string::npos);
    std::set<std::string> secondFiles = FilesBelow(Root());
    secondFiles.erase("Kits/Kick Round (2).wav");
    EXPECT_EQ(secondFiles, firstFiles);
}

TEST_F(ConvertDemo, ShowPrintsWhatTheWindowShowsForARow) {
    const std::string lib = Quoted(platform::ToNativePath(library));
    const std::string kitRows =
        "VEL:[20,50,90,120] Snare Layer V[..].wav\nVEL:[40,110,,] Kick Layer V[..].wav\n"
        "Samples/Drums/Perc/Cowbell.wav\n";
    EXPECT_EQ(RunCli(temp, "show " + lib + " --kit 3").out,
              kitRows + "status: " + platform::ForDisplay(library + "\\Groups\\Vintage\\Velocity Kit.mxgrp") +
                  "\n");
    EXPECT_EQ(RunCli(temp, "show " + lib + " --kit 3 --wave 1").out,
              kitRows + "status: Velocities: 40,110,,  Samples/Drums/Kick/Kick Layer V[..].wav\n");
    const std::string keygroupRows =
        "Soft Piano C2.wav  (#49, Range: B-3 - D2)\nSoft Piano E2.wav  (#53, Range: D#2 - F#2)\n"
        "Soft Piano G#2.wav  (#57, Range: G2 - A#2)\nVEL [2] Soft Piano C3 hard.wav  (#61, Range: B2 - F#3)\n"
        "Soft Piano C4.wav  (#73, Range: G3 - F#8)\n";
    EXPECT_EQ(RunCli(temp, "show " + lib + " --instrument 1").out,
              keygroupRows + "status: Keys/Soft Piano/ [5 wavs]\n");
    EXPECT_EQ(RunCli(temp, "show " + lib + " --instrument 1 --wave 3").out,
              keygroupRows + "status: [2 layers] " +
                  platform::ForDisplay("Keys\\Soft Piano Samples\\Soft Piano C3 hard.wav") +
                  " [Root: C3 (#61), Range: B2 - F#3]\n");
    EXPECT_EQ(RunCli(temp, "show " + lib + " --kit 1 --instrument 1").status, 1);
}

// Names beyond ASCII reach the command line, and from it the file system, unchanged (on Windows as
// UTF-16 arguments).
TEST(ConvertCommand, ConvertsALibraryUnderANonAsciiPath) {
    TempFolder temp;
    const std::string library = temp.PathOf("Bibliothèque Été\\Démo Ünïcødé Library");
    ASSERT_EQ(RunCli(temp, "make-demo " + Quoted(platform::ToNativePath(library))).status, 0);
    const CliRun run = RunCli(temp, "convert " + Quoted(platform::ToNativePath(library)) + " " +
                                        Quoted(platform::ToNativePath(temp.PathOf("Sortie"))));
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string root = temp.PathOf("Sortie\\Démo Ünïcødé");
    EXPECT_NE(ReadFileBytes(root + "\\Kits\\Basic Kit.xpm").find("<Program"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(root + "\\Kits\\Kick Round.wav"),
              ReadFileBytes(library + "\\Samples\\Drums\\Kick\\Kick Round.wav"));
}

TEST(ConvertCommand, ExitStatusesOfRefusedAndBrokenRuns) {
    TempFolder temp;
    temp.MakeFolder("NotALibrary");
    const CliRun refused =
        RunCli(temp, "convert " + Quoted(platform::ToNativePath(temp.PathOf("NotALibrary"))) + " " +
                         Quoted(platform::ToNativePath(temp.PathOf("Out"))));
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("Can't find Groups or Kits sub-folder"), std::string::npos);
    EXPECT_EQ(refused.out, "");

    temp.WriteFile("Lib/Groups/Kit.mxgrp");
    temp.MakeFolder("NoTemplates");
    const CliRun ended =
        RunCli(temp, "convert " + Quoted(platform::ToNativePath(temp.PathOf("Lib"))) + " " +
                         Quoted(platform::ToNativePath(temp.PathOf("Out"))) + " --templates " +
                         Quoted(platform::ToNativePath(temp.PathOf("NoTemplates"))));
    EXPECT_EQ(ended.status, 3);
    EXPECT_EQ(ended.err,
              "Can't find the drum.xpm - it should be where this app exe is!\n"
              "Can't find the keygroup.xpm - it should be where this app exe is!\n");
    EXPECT_EQ(ended.out, "****Keygroups****\n");

    EXPECT_EQ(RunCli(temp, "convert --kit-volume 85 a b").status, 1);
}

// The largest scale, 1.8 TiB, against the real free space of the test's disk.
TEST(MakeDemoCommand, RefusesAScaleTooBigForTheDiskBeforeWritingAnything) {
    TempFolder temp;
    if (platform::FreeSpaceAt(temp.Path()).value_or(0) > (std::uint64_t{2} << 40))
        GTEST_SKIP() << "this disk would hold the largest demo library";
    const std::string demo = temp.PathOf("Huge Demo");
    const CliRun run = RunCli(temp, "make-demo " + Quoted(platform::ToNativePath(demo)) + " --scale 1000");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("the demo library at scale 1000 takes 1.8 TiB, more than the "), std::string::npos)
        << run.err;
    EXPECT_FALSE(platform::StatusOf(demo).exists);
}

}  // namespace
}  // namespace kitvane
