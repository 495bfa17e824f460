// WAV layouts as they come from the wild, each read by our reader and by libsndfile, and each run as a
// tempo loop through the loop stage: the frame count must be the one libsndfile reads, and the loop's
// copy must hold the audio libsndfile finds in the source.
#include <sndfile.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "batch/loop_stage.h"
#include "platform/path_text.h"
#include "riff/wave_parser.h"
#include "tests/support/recording_services.h"
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

// What libsndfile reads from a file: null when it refuses it.
struct SoundFile {
    sf_count_t frames = 0;
    int channels = 0;
    std::vector<int> samples;  // every sample, as libsndfile converts it to 32-bit integers
};

std::optional<SoundFile> ReadWithLibsndfile(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return std::nullopt;
    SoundFile sound{info.frames, info.channels, {}};
    sound.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
    sound.samples.resize(
        static_cast<std::size_t>(sf_readf_int(file, sound.samples.data(), info.frames) * info.channels));
    sf_close(file);
    return sound;
}

// Sample bytes that no two neighbouring frames share, so a shifted or lost frame shows.
std::string SampleBytes(std::size_t count) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>((i * 37 + i / 251) & 0x7F);
    return bytes;
}

// 32-bit floats between -1 and 1.
std::string FloatBytes(std::size_t samples) {
    std::string bytes;
    for (std::size_t i = 0; i < samples; ++i) {
        const float value = static_cast<float>(i % 200) / 100.0f - 1.0f;
        char raw[4];
        std::memcpy(raw, &value, 4);
        bytes.append(raw, 4);
    }
    return bytes;
}

std::string Format(std::uint16_t channels, std::uint16_t bitsPerSample, std::uint16_t audioFormat = 1) {
    return Chunk("fmt ", FormatContent(channels, 44100, bitsPerSample, audioFormat));
}

// WAVE_FORMAT_EXTENSIBLE: 40 bytes, with valid bits, channel mask and the PCM sub-format.
std::string ExtensibleFormat(std::uint16_t channels, std::uint16_t containerBits, std::uint16_t validBits) {
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(channels * containerBits / 8);
    const std::string pcmGuid("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 16);
    return Chunk("fmt ", Le16(0xFFFE) + Le16(channels) + Le32(48000) + Le32(48000u * blockAlign) +
                             Le16(blockAlign) + Le16(containerBits) + Le16(22) + Le16(validBits) + Le32(3) +
                             pcmGuid);
}

const std::string kStereo16 = Format(2, 16);
const std::string kAudio = SampleBytes(4000);  // 1000 frames of 16-bit stereo
const std::string kData = Chunk("data", kAudio);

// RF64: the form and data sizes in "ds64" (form size, data size, sample count, an empty table).
std::string Rf64File(const std::string& format, const std::string& audio) {
    const std::uint64_t formSize = 4 + 36 + format.size() + 8 + audio.size();
    const std::string ds64 =
        Chunk("ds64", Le64(formSize) + Le64(audio.size()) + Le64(audio.size() / 4) + Le32(0));
    return "RF64" + Le32(0xFFFFFFFF) + "WAVE" + ds64 + format + ChunkWithSize("data", 0xFFFFFFFF, audio);
}

const std::string kList = Chunk("LIST", "INFO" + Chunk("INAM", "Beat 01") + Chunk("ISFT", "Kitvane"));
const std::string kBext = Chunk("bext", std::string(602, '\0'));
// A sampler chunk with one forward loop over the whole sound.
const std::string kSmpl =
    Chunk("smpl", Le32(0) + Le32(0) + Le32(22676) + Le32(60) + Le32(0) + Le32(0) + Le32(0) + Le32(1) +
                      Le32(0) + Le32(0) + Le32(0) + Le32(0) + Le32(999) + Le32(0) + Le32(0));
const std::string kCue = Chunk("cue ", Le32(1) + Le32(1) + Le32(0) + "data" + Le32(0) + Le32(0) + Le32(0));

enum class Loop { Tagged, Unchanged };

struct Layout {
    const char* name;
    std::string bytes;
    std::uint32_t frames;  // what both readers count; 0 where libsndfile refuses the file
    Loop loop;
};

void PrintTo(const Layout& layout, std::ostream* out) {
    *out << layout.name;
}

class WildWave : public ::testing::TestWithParam<Layout> {
protected:
    testing::TempFolder folder;
};

TEST_P(WildWave, CountsTheFramesLibsndfileReads) {
    const std::string path = folder.WriteFile("Sound.wav", GetParam().bytes);
    CWaveParser wave;
    wave.Parse(path);
    const std::optional<SoundFile> sound = ReadWithLibsndfile(platform::ToNativePath(path));
    EXPECT_EQ(sf_count_t{wave.frameCount}, sound ? sound->frames : 0);
    EXPECT_EQ(wave.frameCount, GetParam().frames);
}

TEST_P(WildWave, ATempoLoopKeepsItsAudio) {
    const std::string source = folder.WriteFile("Lib\\Samples\\Loops\\Loop [120].wav", GetParam().bytes);
    testing::RecordingServices ui;
    RunLoopStage(ui, folder.PathOf("Lib"), folder.PathOf("Out"), true);
    const std::string copy = folder.PathOf("Out\\Loops\\Loop [120].wav");
    const std::string copyBytes = testing::ReadFileBytes(copy);

    if (GetParam().loop == Loop::Unchanged) {
        EXPECT_EQ(ui.TextsOf("log").back(), "Loop [120].wav NO BMP");
        EXPECT_EQ(copyBytes, GetParam().bytes);
        return;
    }
    EXPECT_EQ(ui.TextsOf("log").back(), "Loop [120].wav > 120 BPM");
    EXPECT_NE(copyBytes.find(std::string("meta\4\0\0\0", 8) + Le32(120000) + "data"), std::string::npos);
    const std::optional<SoundFile> original = ReadWithLibsndfile(platform::ToNativePath(source));
    if (!original)
        return;  // no audio that libsndfile could find, so none to lose
    const std::optional<SoundFile> tagged = ReadWithLibsndfile(platform::ToNativePath(copy));
    ASSERT_TRUE(tagged);
    ASSERT_EQ(tagged->channels, original->channels);
    ASSERT_GE(tagged->samples.size(), original->samples.size());
    const auto added = tagged->samples.begin() + static_cast<std::ptrdiff_t>(original->samples.size());
    EXPECT_TRUE(std::equal(tagged->samples.begin(), added, original->samples.begin()));
    // A data chunk cut short is completed with silence up to its declared length.
    EXPECT_TRUE(std::all_of(added, tagged->samples.end(), [](int sample) { return sample == 0; }));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, WildWave,
    ::testing::Values(
        Layout{"Pcm8BitMono", RiffFile(Format(1, 8) + kData), 4000, Loop::Tagged},
        Layout{"Pcm16BitStereo", RiffFile(kStereo16 + kData), 1000, Loop::Tagged},
        Layout{"Pcm24BitStereo", RiffFile(Format(2, 24) + Chunk("data", SampleBytes(3000))), 500,
               Loop::Tagged},
        Layout{"Float32BitStereo",
               RiffFile(Format(2, 32, 3) + Chunk("fact", Le32(500)) + Chunk("data", FloatBytes(1000))), 500,
               Loop::Tagged},
        // 24 valid bits in 32-bit containers: 8 bytes a stereo frame, not 6.
        Layout{"Extensible24In32", RiffFile(ExtensibleFormat(2, 32, 24) + kData), 500, Loop::Tagged},
        // 20 bits take 3 bytes a sample: 6 a stereo frame, as blockAlign says, not 20 × 2 / 8 = 5.
        Layout{
            "Pcm20BitStereo",
            RiffFile(Chunk("fmt ", AlignedFormatContent(2, 44100, 20, 6)) + Chunk("data", SampleBytes(3000))),
            500, Loop::Tagged},
        // An 18-byte WAVEFORMATEX whose extension size says 21834: the extension ends with the chunk.
        Layout{"LyingExtensionSize",
               RiffFile(Chunk("fmt ", FormatContent(2, 44100, 16) + Le16(21834)) +
                        Chunk("data", SampleBytes(1600))),
               400, Loop::Tagged},
        // A RIFF size that ends before the data: the data is still read, and the loop kept as it is,
        // since a tagged copy would hold no audio.
        Layout{"RiffSize8", RiffFile(kStereo16 + kData, 8), 1000, Loop::Unchanged},
        // A streaming writer's placeholders: only the frames in the file count.
        Layout{"PlaceholderSizes7FFFF000",
               RiffFile(kStereo16 + ChunkWithSize("data", 0x7FFFF000, kAudio), 0x7FFFF024), 1000,
               Loop::Unchanged},
        Layout{"PlaceholderSizesFFFFFFFF",
               RiffFile(kStereo16 + ChunkWithSize("data", 0xFFFFFFFF, kAudio), 0xFFFFFFFF), 1000,
               Loop::Unchanged},
        Layout{"PlaceholderRiffSizeOnly", RiffFile(kStereo16 + kData, 0xFFFFFFFF), 1000, Loop::Tagged},
        Layout{"Rf64WithDs64", Rf64File(kStereo16, kAudio), 1000, Loop::Unchanged},
        // Cut 200 bytes short: 950 whole frames; the tagged copy completes the declared 1000 with silence.
        Layout{"TruncatedData", RiffFile(kStereo16 + ChunkWithSize("data", 4000, kAudio.substr(0, 3800))),
               950, Loop::Tagged},
        Layout{"ChunksAroundTheData", RiffFile(kList + kStereo16 + kBext + kData + kSmpl + kCue), 1000,
               Loop::Tagged},
        Layout{"OddChunksWithPadBytes",
               RiffFile(kStereo16 + Chunk("junk", "odd") + Chunk("data", SampleBytes(3999)) +
                        Chunk("LIST", "INFOx")),
               999, Loop::Tagged},
        Layout{"OddMonoDataWithPadByte", RiffFile(Format(1, 8) + Chunk("data", SampleBytes(999)) + kList),
               999, Loop::Tagged},
        Layout{"DataNotWholeFrames", RiffFile(kStereo16 + Chunk("data", SampleBytes(4003))), 1000,
               Loop::Tagged},
        Layout{"NoBitsPerSample", RiffFile(Chunk("fmt ", FormatContent(2, 44100, 16).substr(0, 14)) + kData),
               0, Loop::Tagged},
        Layout{"OggNamedWav", "OggS" + std::string(60, '\0'), 0, Loop::Unchanged}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kitvane
