#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/version.h"
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

TEST(CommandLine, AnInterruptStopsTheConversionWithStatus130) {
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
