// A conversion killed with SIGKILL at any point, then run again to its end, leaves exactly what one
// uninterrupted run leaves: the same files with the same bytes, no half-written file under a final
// name and no temporary file, and the library as it was. A demo library stopped by SIGTERM takes
// itself away.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/path_text.h"
#include "tests/e2e/cli_process.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using namespace std::chrono_literals;
using testing::CliControl;
using testing::FileTree;
using testing::RunCliProcess;
using testing::TreeBelow;
using testing::TreeDifferences;

class InterruptedRun : public ::testing::Test {
protected:
    // One demo library and one uninterrupted conversion of it serve every test of the suite.
    static void SetUpTestSuite() {
        shared = new Shared;
        shared->library = platform::ToNativePath(shared->temp.PathOf("Kitvane Demo Library"));
        ASSERT_EQ(RunCliProcess({"make-demo", shared->library, "--scale", "3"}).status, 0);
        shared->libraryTree = TreeBelow(shared->library);
        const std::string reference = platform::ToNativePath(shared->temp.PathOf("Reference"));
        const auto start = std::chrono::steady_clock::now();
        const testing::CliResult run = Convert(reference);
        shared->runTime =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
        ASSERT_EQ(run.status, 0) << run.err;
        shared->logLines = static_cast<int>(std::count(run.out.begin(), run.out.end(), '\n'));
        shared->referenceTree = TreeBelow(reference);
    }
    static void TearDownTestSuite() { delete shared; }

    static testing::CliResult Convert(const std::string& output, const CliControl& control = {}) {
        return RunCliProcess({"convert", shared->library, output}, control);
    }

    // A fresh output folder for one case.
    std::string Output(const std::string& name) const {
        return platform::ToNativePath(shared->temp.PathOf("Out " + name));
    }

    // Runs again to the end, then the output must equal the reference and the library be untouched.
    static void ExpectRerunCompletes(const std::string& output, const std::string& killPoint) {
        const testing::CliResult rerun = Convert(output);
        ASSERT_EQ(rerun.status, 0) << killPoint << ": " << rerun.err;
        EXPECT_EQ(TreeDifferences(shared->referenceTree, TreeBelow(output)), std::vector<std::string>{})
            << killPoint;
        EXPECT_EQ(TreeDifferences(shared->libraryTree, TreeBelow(shared->library)),
                  std::vector<std::string>{})
            << killPoint;
    }

    struct Shared {
        testing::TempFolder temp;
        std::string library;
        FileTree libraryTree;
        FileTree referenceTree;
        int logLines = 0;
        std::chrono::microseconds runTime{};
    };
    static Shared* shared;
};

InterruptedRun::Shared* InterruptedRun::shared = nullptr;

// A run may end before the kill reaches it when the line came near its end; the others count.
TEST_F(InterruptedRun, KilledAfterEachLineOfTheLogThenRerun) {
    int kills = 0;
    for (int lines = 1; lines < shared->logLines; ++lines) {
        const std::string output = Output("after " + std::to_string(lines) + " lines");
        kills += Convert(output, {.killAfterLines = lines}).killed;
        ExpectRerunCompletes(output, "killed after " + std::to_string(lines) + " lines");
    }
    EXPECT_GE(kills, 20);
}

// Moments spread over a whole run's length, drawn from a fixed seed so that a failure can be replayed.
TEST_F(InterruptedRun, KilledAtRandomMomentsThenRerun) {
    std::mt19937 random(20261211);
    std::uniform_int_distribution<long> moment(0, shared->runTime.count());
    for (int round = 0; round < 12; ++round) {
        const std::chrono::microseconds delay{moment(random)};
        const std::string output = Output("at " + std::to_string(delay.count()) + "us");
        Convert(output, {.killAfterTime = delay});
        ExpectRerunCompletes(output, "killed " + std::to_string(delay.count()) + " us after the start");
    }
}

TEST_F(InterruptedRun, KilledAgainAndAgainIntoOneOutputThenRerun) {
    const std::string output = Output("again and again");
    for (int lines = 2; lines < shared->logLines; lines += 4)
        Convert(output, {.killAfterLines = lines});
    ExpectRerunCompletes(output, "killed repeatedly");
}

// SIGTERM once the first sample is complete: a library of 370 MiB is far from done then.
TEST(InterruptedDemo, SigtermStopsMakeDemoWithStatus130AndRemovesWhatItWrote) {
    const testing::TempFolder temp;
    temp.WriteFile("Demo/notes.txt", "mine");
    const std::string demo = platform::ToNativePath(temp.PathOf("Demo"));
    const testing::CliResult run =
        RunCliProcess({"make-demo", demo, "--scale", "14"},
                      {.killOnceExists = demo + "/Samples/Drums/Kick/Kick Round.wav", .killSignal = SIGTERM});
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_EQ(run.err, "kitvane-cli: interrupted; the unfinished demo library was removed\n");
    EXPECT_EQ(TreeBelow(demo), (FileTree{{"notes.txt", "file mine"}}));
}

}  // namespace
}  // namespace kitvane
