#include "riff/wave_parser.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/riff_bytes.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using testing::AlignedFormatContent;
using testing::Chunk;
using testing::ChunkWithSize;
using testing::FormatContent;
using testing::Le16;
using testing::Le32;
using testing::Le64;
using testing::RiffFile;

const std::string kStereo16 = Chunk("fmt ", FormatContent(2, 44100, 16));

CWaveParser ParseBytes(const std::string& bytes, bool* succeeded = nullptr) {
    platform::MemoryInputStream stream(bytes);
    CWaveParser wave;
    const bool result = wave.Parse(stream);
    if (succeeded != nullptr)
        *succeeded = result;
    return wave;
}

TEST(WaveParser, ReadsEveryFieldOfPlainPcm) {
    bool succeeded = false;
    const CWaveParser wave =
        ParseBytes(RiffFile(kStereo16 + Chunk("data", std::string(400, 'x'))), &succeeded);
    EXPECT_TRUE(succeeded);
    EXPECT_EQ(wave.audioFormat, 1);
    EXPECT_EQ(wave.channels, 2);
    EXPECT_EQ(wave.sampleRate, 44100u);
    EXPECT_EQ(wave.byteRate, 176400u);
    EXPECT_EQ(wave.blockAlign, 4);
    EXPECT_EQ(wave.bitsPerSample, 16);
    EXPECT_EQ(wave.extraSize, 0);
    EXPECT_EQ(wave.frameCount, 100u);
    EXPECT_EQ(wave.errorText, "");
}

struct WalkCase {
    const char* name;
    std::string bytes;
    bool succeeds;
    std::uint32_t frameCount;
    std::string errorText;
};

void PrintTo(const WalkCase& walkCase, std::ostream* out) {
    *out << walkCase.name;
}

class WaveWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(WaveWalk, FindsTheFrameCountOrTheFailure) {
    bool succeeded = false;
    const CWaveParser wave = ParseBytes(GetParam().bytes, &succeeded);
    EXPECT_EQ(succeeded, GetParam().succeeds);
    EXPECT_EQ(wave.frameCount, GetParam().frameCount);
    EXPECT_EQ(wave.errorText, GetParam().errorText);
}

const std::string kData400 = Chunk("data", std::string(400, 'x'));
const std::string kEof = "Unexpected EOF while reading from file";

INSTANTIATE_TEST_SUITE_P(
    Layouts, WaveWalk,
    ::testing::Values(
        WalkCase{"ListBetweenFormatAndData",
                 RiffFile(kStereo16 + Chunk("LIST", "INFO" + Chunk("IART", "abc")) + kData400), true, 100,
                 ""},
        WalkCase{"ChunksAfterData", RiffFile(kStereo16 + kData400 + Chunk("cue ", std::string(28, 'c'))),
                 true, 100, ""},
        // Without skipping the pad byte, the data header would be read one byte early.
        WalkCase{"OddChunkFollowedByPadByte", RiffFile(kStereo16 + Chunk("odd ", "abc") + kData400), true,
                 100, ""},
        WalkCase{"DataSizeNotAMultipleOfTheFrameDropsTheRemainder",
                 RiffFile(kStereo16 + Chunk("data", std::string(403, 'x'))), true, 100, ""},
        WalkCase{"LaterDataChunkOverwritesTheFrameCount",
                 RiffFile(kStereo16 + kData400 + Chunk("data", std::string(40, 'x'))), true, 10, ""},
        // Only the whole frames the file holds count, however large the declared size.
        WalkCase{"DataTruncatedAtTheEndOfTheForm",
                 RiffFile(kStereo16 + ChunkWithSize("data", 1000, std::string(10, 'x')), 4 + 24 + 8 + 1000),
                 true, 2, ""},
        WalkCase{
            "DataTruncatedWithMoreChunksPromised",
            RiffFile(kStereo16 + ChunkWithSize("data", 1000, std::string(10, 'x')), 4 + 24 + 8 + 1000 + 20),
            false, 2, kEof},
        // The walk goes on to the end of the file when the RIFF size ends early, or can't hold its type.
        WalkCase{"RiffSizeEndingBeforeData", RiffFile(kStereo16 + kData400, 4 + 24), true, 100, ""},
        WalkCase{"RiffSizeBelowFour", RiffFile(kStereo16 + kData400, 2), true, 100, ""},
        WalkCase{"TrailingBytesTooFewForAHeader", RiffFile(kStereo16 + kData400) + "junk", true, 100, ""},
        WalkCase{"Rf64WithoutDs64", "RF64" + Le32(0xFFFFFFFF) + "WAVE" + kStereo16 + kData400, false, 0,
                 "No DS64 chunk at the start of an RF64 file"},
        // A ds64 data size beyond the end of the file counts only what is there.
        WalkCase{"Rf64DataCutShort",
                 "RF64" + Le32(0xFFFFFFFF) + "WAVE" +
                     Chunk("ds64", Le64(1u << 20) + Le64(1u << 20) + Le64(0) + Le32(0)) + kStereo16 +
                     ChunkWithSize("data", 0xFFFFFFFF, std::string(400, 'x')),
                 true, 100, ""},
        // Sizes near the largest position: a wrapped end would send the walk back to the data header.
        WalkCase{"Rf64SizesNearTheLargestPosition",
                 "RF64" + Le32(0xFFFFFFFF) + "WAVE" +
                     Chunk("ds64", Le64(~0ull) + Le64(~1ull) + Le64(0) + Le32(0)) + kStereo16 +
                     ChunkWithSize("data", 0xFFFFFFFF, std::string(400, 'x')),
                 true, 100, ""},
        // A frame is blockAlign bytes when that holds a whole sample of every channel, as with 24-bit
        // samples in 4-byte containers; a blockAlign too small for them is taken for a mistake.
        WalkCase{"TwentyFourBitSamplesInFourByteContainers",
                 RiffFile(Chunk("fmt ", AlignedFormatContent(2, 44100, 24, 8)) + kData400), true, 50, ""},
        WalkCase{"BlockAlignTooSmallForTheSamples",
                 RiffFile(Chunk("fmt ", AlignedFormatContent(2, 44100, 16, 2)) + kData400), true, 100, ""},
        // No division by zero: a frame of fewer than 8 bits, or no bits per sample at all.
        WalkCase{"FourBitMonoHasNoFrames", RiffFile(Chunk("fmt ", FormatContent(1, 8000, 4)) + kData400),
                 true, 0, ""},
        WalkCase{"FourteenByteFormatHasNoFrames",
                 RiffFile(Chunk("fmt ", FormatContent(2, 44100, 16).substr(0, 14)) + kData400), true, 0, ""},
        WalkCase{"NotRiff", "OggS" + Le32(100) + "WAVE", false, 0, "File is not a RIFF file"},
        WalkCase{"NotWave", RiffFile("", std::nullopt, "AVI "), false, 0, "File is not a WAV file"},
        WalkCase{"DataBeforeFormat", RiffFile(kData400 + kStereo16), false, 0,
                 "No FMT chunk encountered before DATA chunk"},
        WalkCase{"SecondFormatChunk", RiffFile(kStereo16 + kData400 + kStereo16), false, 100,
                 "More than one FMT chunk encountered"},
        WalkCase{"EndInsideTheRiffHeader", "RIFF" + Le16(4), false, 0, kEof},
        WalkCase{"EndInsideTheFormatChunk", RiffFile(kStereo16).substr(0, 12 + 8 + 6), false, 0, kEof},
        WalkCase{"EmptyFile", "", false, 0, kEof}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaveParser, SkipsTheExtensionOfAnExtensibleFormat) {
    const std::string extension(22, '\x7F');
    const std::string format = FormatContent(2, 48000, 24, 0xFFFE) + Le16(22) + extension;
    bool succeeded = false;
    const CWaveParser wave =
        ParseBytes(RiffFile(Chunk("fmt ", format) + Chunk("data", std::string(600, 'x'))), &succeeded);
    EXPECT_TRUE(succeeded);
    EXPECT_EQ(wave.audioFormat, 0xFFFE);
    EXPECT_EQ(wave.extraSize, 22);
    EXPECT_EQ(wave.frameCount, 100u);
}

TEST(WaveParser, KeepsTheFirstFormatWhenASecondOneFails) {
    const std::string second = Chunk("fmt ", FormatContent(1, 96000, 8));
    const CWaveParser wave = ParseBytes(RiffFile(kStereo16 + second + kData400));
    EXPECT_EQ(wave.errorText, "More than one FMT chunk encountered");
    EXPECT_EQ(wave.channels, 2);
    EXPECT_EQ(wave.sampleRate, 44100u);
}

// A device that fails, as a disk can, without reaching the end of the file.
class FailingStream final : public platform::InputStream {
public:
    FailingStream(std::string bytes, std::size_t readableBytes, bool seeksFail)
        : inner_(std::move(bytes)), readableBytes_(readableBytes), seeksFail_(seeksFail) {}
    std::size_t Read(void* buffer, std::size_t count) override {
        if (inner_.Tell() + count > readableBytes_)
            return 0;
        return inner_.Read(buffer, count);
    }
    bool Seek(std::uint64_t position) override { return !seeksFail_ && inner_.Seek(position); }
    std::uint64_t Tell() const override { return inner_.Tell(); }
    std::uint64_t Length() const override { return inner_.Length(); }
    bool AtEnd() const override { return inner_.AtEnd(); }

private:
    platform::MemoryInputStream inner_;
    std::size_t readableBytes_;
    bool seeksFail_;
};

TEST(WaveParser, ReportsDeviceFailuresApartFromTheEnd) {
    const std::string bytes = testing::PcmWave(std::string(400, 'x'));
    for (const bool seeksFail : {false, true}) {
        FailingStream stream(bytes, seeksFail ? bytes.size() : 12 + 8 + 4, seeksFail);
        CWaveParser wave;
        EXPECT_FALSE(wave.Parse(stream));
        EXPECT_EQ(wave.errorText, "Unable to read from file") << "seeks fail: " << seeksFail;
        EXPECT_EQ(wave.channels, 2);
    }
}

TEST(WaveParser, ReadsAFileByPathAndFailsOnAMissingOne) {
    testing::TempFolder folder;
    CWaveParser wave;
    EXPECT_TRUE(wave.Parse(folder.WriteFile("Kick.wav", testing::PcmWave(std::string(40, 'x')))));
    EXPECT_EQ(wave.frameCount, 10u);

    CWaveParser missing;
    EXPECT_FALSE(missing.Parse(folder.PathOf("Missing.wav")));
    EXPECT_EQ(missing.errorText, "Unable to open file");
    EXPECT_EQ(missing.frameCount, 0u);
}

TEST(WaveParser, TracesTheWalkIntoTheSinkItIsGiven) {
    std::vector<std::string> lines;
    platform::MemoryInputStream stream(testing::PcmWave(std::string(8, 'x')));
    CWaveParser wave;
    wave.Parse(stream, [&lines](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "RIFF Size: 44", "RIFF Type: 'WAVE'", "Chunk: 'fmt ', Size: 16", "  Audio Format: 1",
                         "  Channels: 2", "  Sample Rate: 44100", "  Byte Rate: 176400", "  BlockAlign: 4",
                         "  Bits per Sample: 16", "Chunk: 'data', Size: 8"}));
}

}  // namespace
}  // namespace kitvane
