#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "app/version.h"
#include "cli/demo_library.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "tests/support/temp_folder.h"

namespace kitvane::cli {
namespace {

using testing::TempFolder;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunCli(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int status = RunCommandLine(arguments, {out, err});
    return {status, out.str(), err.str()};
}

TEST(CommandLine, ListPrintsCaptionsThenRows) {
    TempFolder temp;
    temp.WriteFile("Lib/Groups/Kit 1.mxgrp");
    temp.WriteFile("Lib/Groups/Vintage/Kit 2.mxgrp");
    temp.WriteFile("Lib/Samples/Instruments/Keys/E-Piano/EP A2.wav");
    const std::string library = platform::ToNativePath(temp.PathOf("Lib"));

    const Outcome kits = RunCli({"list", library});
    EXPECT_EQ(kits.status, kFinished);
    EXPECT_EQ(kits.out,
              platform::ForDisplay("Kits (2)\nInstruments (1)\nKit 1.mxgrp\nVintage\\Kit 2.mxgrp\n"));

    const Outcome instruments = RunCli({"list", library + "/", "--instruments"});
    EXPECT_EQ(instruments.status, kFinished);
    EXPECT_EQ(instruments.out, "Kits (2)\nInstruments (1)\nKeys - E-Piano [1 wavs]\n");
}

TEST(CommandLine, ListRefusesALibraryWithoutGroupFolder) {
    TempFolder temp;
    const std::string folder = platform::ToNativePath(temp.MakeFolder("Nothing"));
    const Outcome outcome = RunCli({"list", folder});
    EXPECT_EQ(outcome.status, kRefused);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("Can't find Groups or Kits sub-folder in the entered path\n" + folder +
                               platform::ForDisplay("\\Kits\n")),
              std::string::npos);
}

TEST(CommandLine, AnInterruptStopsConvertAndMakeDemoWithStatus130) {
    TempFolder temp;
    const std::string library = platform::ToNativePath(temp.PathOf("Demo"));
    std::ostringstream ignored;
    ASSERT_EQ(RunCommandLine({"make-demo", library}, {ignored, ignored}), kFinished);
    const std::atomic<bool> interrupted{true};
    std::ostringstream out, err;
    const int status = RunCommandLine({"convert", library, platform::ToNativePath(temp.PathOf("Out"))},
                                      {out, err, false, &interrupted});
    EXPECT_EQ(status, kInterrupted);
    EXPECT_EQ(out.str().find("****FINISHED****"), std::string::npos);
    EXPECT_EQ(out.str().find("Keygroup:"), std::string::npos);

    std::ostringstream demoErr;
    const std::string demo = temp.PathOf("Stopped Demo");
    EXPECT_EQ(
        RunCommandLine({"make-demo", platform::ToNativePath(demo)}, {ignored, demoErr, false, &interrupted}),
        kInterrupted);
    EXPECT_EQ(demoErr.str(), "kitvane-cli: interrupted; the unfinished demo library was removed\n");
    EXPECT_FALSE(platform::StatusOf(demo).exists);
}

// make-demo says how much it will write, and refuses before writing anything when the disk of its
// folder has less free space than that (when the free space is unknown, it goes ahead).
TEST(CommandLine, MakeDemoAnnouncesItsSizeAndRefusesOneTooBigForTheDisk) {
    const std::uint64_t size = DemoLibrarySize({.scale = 2});
    const std::vector<std::pair<std::optional<std::uint64_t>, int>> cases{
        {size / 2, kRefused}, {size - 1, kRefused}, {size, kFinished}, {std::nullopt, kFinished}};
    for (const auto& [freeSpace, expected] : cases) {
        TempFolder temp;
        const std::string demo = temp.PathOf("New/Demo");
        std::string measured;
        const auto freeSpaceAt = [&, freeSpace = freeSpace](const std::string& path) {
            measured = path;
            return freeSpace;
        };
        std::ostringstream out, err;
        const int status = RunCommandLine({"make-demo", platform::ToNativePath(demo), "--scale", "2"},
                                          {out, err, false, nullptr, freeSpaceAt});
        const std::string free = freeSpace ? std::to_string(*freeSpace) : "unknown";
        EXPECT_EQ(status, expected) << free;
        EXPECT_EQ(measured, demo);
        if (expected == kRefused) {
            EXPECT_EQ(out.str(), "");
            EXPECT_NE(
                err.str().find("kitvane-cli: the demo library at scale 2 takes 7.6 MiB, more than the "),
                std::string::npos)
                << err.str();
            EXPECT_FALSE(platform::StatusOf(temp.PathOf("New")).exists) << free;
        } else {
            EXPECT_EQ(out.str(), "Writing the demo library (7.6 MiB) into " + platform::ForDisplay(demo) +
                                     "\nDemo library written to " + platform::ForDisplay(demo) + "\n");
        }
    }
}

// On a terminal, the percentage written so far is redrawn on standard error, and cleared at the end.
TEST(CommandLine, MakeDemoShowsItsProgressOnATerminal) {
    TempFolder temp;
    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine({"make-demo", platform::ToNativePath(temp.PathOf("Demo"))}, {out, err, true}),
              kFinished);
    const std::string shown = err.str();
    EXPECT_EQ(shown.rfind("\r0% of 1.9 MiB\r", 0), 0u) << shown;
    const std::string end = "\r99% of 1.9 MiB\r100% of 1.9 MiB\r\033[K";
    ASSERT_GE(shown.size(), end.size());
    EXPECT_EQ(shown.substr(shown.size() - end.size()), end);
}

// The WAV reader's trace of every measured sample joins the run's log on standard output only when asked.
TEST(CommandLine, TraceWavPrintsTheWalkOfEveryMeasuredSample) {
    TempFolder temp;
    const std::string library = platform::ToNativePath(temp.PathOf("Demo"));
    std::ostringstream ignored;
    ASSERT_EQ(RunCommandLine({"make-demo", library}, {ignored, ignored}), kFinished);
    for (const bool trace : {false, true}) {
        std::vector<std::string> arguments{"convert", library,
                                           platform::ToNativePath(temp.PathOf(trace ? "Traced" : "Quiet"))};
        if (trace)
            arguments.push_back("--trace-wav");
        const Outcome outcome = RunCli(arguments);
        EXPECT_EQ(outcome.status, kFinished);
        EXPECT_NE(outcome.out.find("****FINISHED****"), std::string::npos);
        EXPECT_EQ(outcome.out.find("RIFF Type: 'WAVE'\nChunk: 'fmt ', Size: 16\n") != std::string::npos,
                  trace);
    }
}

TEST(CommandLine, UsageErrors) {
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{}, {"frobnicate"}, {"list"}, {"list", "a", "--x"}}) {
        const Outcome outcome = RunCli(arguments);
        EXPECT_EQ(outcome.status, kUsageError);
        EXPECT_NE(outcome.err.find("Usage:"), std::string::npos);
    }
    EXPECT_EQ(RunCli({"--help"}).status, kFinished);
    EXPECT_EQ(RunCli({"--version"}).out, "kitvane-cli " KITVANE_VERSION "\n");
}

}  // namespace
}  // namespace kitvane::cli
