#include "batch/loop_stage.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/file_system.h"
#include "riff/wave_parser.h"
#include "tests/support/recording_services.h"
#include "tests/support/riff_bytes.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

struct TempoCase {
    const char* relativePath;
    int tempo;
};

void PrintTo(const TempoCase& tempoCase, std::ostream* out) {
    *out << tempoCase.relativePath;
}

class LoopTempo : public ::testing::TestWithParam<TempoCase> {};

TEST_P(LoopTempo, ReadsTheNumberInTheFirstBracketOfThePath) {
    EXPECT_EQ(ParseLoopTempo(GetParam().relativePath), GetParam().tempo);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LoopTempo,
    ::testing::Values(TempoCase{"Beat 01 [120].wav", 120},
                      TempoCase{"[120] Beat.wav", 0},  // the bracket may not lead the path
                      TempoCase{"Drums\\[120] Beat.wav", 120},
                      TempoCase{"Beat [300].wav", 300},  // the stage tests the range
                      TempoCase{"Beat [0].wav", 0}, TempoCase{"Beat [].wav", 0},
                      TempoCase{"Beat [ 98 BPM].wav", 98}, TempoCase{"Beat [95.5].wav", 95},
                      TempoCase{"Beat [+7].wav", 7}, TempoCase{"Beat [-7].wav", -7},
                      TempoCase{"Beat [BPM 98].wav", 0},
                      TempoCase{"Kit [A]\\Beat [120].wav", 0},  // the folder's bracket first
                      TempoCase{"Beat [120.wav", 0}, TempoCase{"Beat ]120[.wav", 0},
                      TempoCase{"Beat [99999999999].wav", INT_MAX}, TempoCase{"Beat 120.wav", 0}));

// A library with loops below \Samples\Loops and an output root beside it.
class LoopStage : public ::testing::Test {
protected:
    std::string AddLoop(const std::string& relativePath, const std::string& bytes) {
        return folder.WriteFile("Lib\\Samples\\Loops\\" + relativePath, bytes);
    }
    std::string OutputOf(const std::string& relativePath) const {
        return folder.PathOf("Out\\Loops\\" + relativePath);
    }
    StageOutcome Run(bool addBpm) {
        return RunLoopStage(ui, folder.PathOf("Lib"), folder.PathOf("Out"), addBpm);
    }

    testing::TempFolder folder;
    testing::RecordingServices ui;
    const std::string wave = testing::PcmWave(std::string(400, 'x'));
};

using Call = testing::RecordingServices::Call;

TEST_F(LoopStage, TagsLoopsWithATempoAndCopiesTheRest) {
    AddLoop("Beat 01 [120].wav", wave);
    AddLoop("Beat [300].wav", wave);
    AddLoop("Drums\\[120] Beat.wav", wave);
    AddLoop("Kit [A]\\Beat [120].wav", wave);
    AddLoop("Ogg [100].wav", "OggS not a RIFF file");
    AddLoop("[120] Beat.wav", wave);
    AddLoop("Beat 01.WAV", wave);

    EXPECT_EQ(Run(true), StageOutcome::RanToEnd);

    const std::vector<Call> expected = {
        {"main", "****Loops****"},
        {"status", "Copying Loops...."},
        {"log", "\\Samples\\Loops\\*.* -> Loops\\*.*"},
        {"pump", ""},
        {"progressRange", "6"},
        {"progressPosition", "0"},
        {"log", "Beat 01 [120].wav > 120 BPM"},
        {"pump", ""},
        {"progressPosition", "1"},
        {"log", "Beat [300].wav NO BMP"},
        {"pump", ""},
        {"progressPosition", "2"},
        {"log", "[120] Beat.wav > 120 BPM"},
        {"pump", ""},
        {"progressPosition", "3"},
        {"log", "Beat [120].wav NO BMP"},
        {"pump", ""},
        {"progressPosition", "4"},
        {"log", "Ogg [100].wav NO BMP"},  // not a RIFF file: copied as it is
        {"pump", ""},
        {"progressPosition", "5"},
        {"log", "[120] Beat.wav NO BMP"},
        {"pump", ""},
    };
    EXPECT_EQ(ui.calls, expected);

    for (const char* copied : {"Beat [300].wav", "Kit [A]\\Beat [120].wav", "[120] Beat.wav"}) {
        EXPECT_EQ(testing::ReadFileBytes(OutputOf(copied)), wave) << copied;
    }
    EXPECT_EQ(testing::ReadFileBytes(OutputOf("Ogg [100].wav")), "OggS not a RIFF file");
    for (const char* tagged : {"Beat 01 [120].wav", "Drums\\[120] Beat.wav"}) {
        EXPECT_EQ(testing::ReadFileBytes(OutputOf(tagged)).size(), wave.size() + 12) << tagged;
    }
    EXPECT_FALSE(platform::StatusOf(OutputOf("Beat 01.WAV")).exists);
}

TEST_F(LoopStage, ATaggedLoopKeepsItsFormatAndFrameCount) {
    const std::string stereo24 =
        testing::RiffFile(testing::Chunk("fmt ", testing::FormatContent(2, 48000, 24)) +
                          testing::Chunk("data", std::string(600, 'x')) + testing::Chunk("LIST", "INFO"));
    AddLoop("Beat [87].wav", stereo24);
    Run(true);

    CWaveParser tagged;
    EXPECT_TRUE(tagged.Parse(OutputOf("Beat [87].wav")));
    EXPECT_EQ(tagged.channels, 2);
    EXPECT_EQ(tagged.sampleRate, 48000u);
    EXPECT_EQ(tagged.bitsPerSample, 24);
    EXPECT_EQ(tagged.frameCount, 100u);
    const std::string bytes = testing::ReadFileBytes(OutputOf("Beat [87].wav"));
    EXPECT_NE(bytes.find(std::string("meta\4\0\0\0", 8) + testing::Le32(87000) + "data"), std::string::npos);
}

TEST_F(LoopStage, WithoutTempoTagsCopiesEveryLoopUnchangedAndLogsOnlyTheStart) {
    AddLoop("Beat 01 [120].wav", wave);
    AddLoop("Drums\\Fill.wav", wave);

    EXPECT_EQ(Run(false), StageOutcome::RanToEnd);

    EXPECT_EQ(ui.TextsOf("main"), std::vector<std::string>{"****Loops****"});
    EXPECT_EQ(ui.TextsOf("status"), std::vector<std::string>{"Copying Loops...."});
    EXPECT_EQ(ui.TextsOf("log"), std::vector<std::string>{"\\Samples\\Loops\\*.* -> Loops\\*.*"});
    EXPECT_EQ(ui.pumpCount, 1);
    EXPECT_EQ(testing::ReadFileBytes(OutputOf("Beat 01 [120].wav")), wave);
    EXPECT_EQ(testing::ReadFileBytes(OutputOf("Drums\\Fill.wav")), wave);
}

TEST_F(LoopStage, AnExistingLoopIsKeptByACopyAndReplacedByATag) {
    AddLoop("Beat [120].wav", wave);
    AddLoop("Fill.wav", wave);
    AddLoop("Ogg [120].wav", "OggS");
    for (const char* loop : {"Beat [120].wav", "Fill.wav", "Ogg [120].wav"})
        folder.WriteFile("Out\\Loops\\" + std::string(loop), "old");

    Run(true);

    EXPECT_EQ(testing::ReadFileBytes(OutputOf("Beat [120].wav")).size(), wave.size() + 12);
    EXPECT_EQ(testing::ReadFileBytes(OutputOf("Fill.wav")), "old");
    EXPECT_EQ(testing::ReadFileBytes(OutputOf("Ogg [120].wav")), "old");  // a loop that can't be tagged
}

TEST_F(LoopStage, ALoopClaimingGigabytesItDoesNotHoldIsCopiedUnchanged) {
    const std::string claimsFourGigabytes =
        testing::RiffFile(testing::Chunk("fmt ", testing::FormatContent(2, 44100, 16)) +
                          testing::ChunkWithSize("data", 0xFFFFFF00, "abcd"));
    AddLoop("Huge [120].wav", claimsFourGigabytes);

    Run(true);

    EXPECT_EQ(ui.TextsOf("log").back(), "Huge [120].wav NO BMP");
    EXPECT_EQ(testing::ReadFileBytes(OutputOf("Huge [120].wav")), claimsFourGigabytes);
}

TEST_F(LoopStage, AStopBeforeALoopEndsTheRun) {
    AddLoop("A [100].wav", wave);
    AddLoop("B [100].wav", wave);
    ui.onPump = [this](int pumpNumber) { ui.stopRequested = pumpNumber == 2; };

    EXPECT_EQ(Run(true), StageOutcome::EndedRun);

    EXPECT_EQ(ui.TextsOf("log"),
              (std::vector<std::string>{"\\Samples\\Loops\\*.* -> Loops\\*.*", "A [100].wav > 100 BPM"}));
    EXPECT_EQ(ui.TextsOf("progressPosition"), std::vector<std::string>{"0"});
    EXPECT_TRUE(platform::StatusOf(OutputOf("A [100].wav")).exists);
    EXPECT_FALSE(platform::StatusOf(OutputOf("B [100].wav")).exists);
}

}  // namespace
}  // namespace kitvane
