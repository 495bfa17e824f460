#include "riff/riff_editor.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/support/riff_bytes.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using testing::Chunk;
using testing::ChunkWithSize;
using testing::FormatContent;
using testing::Le32;
using testing::RiffFile;

const std::string kFormat = Chunk("fmt ", FormatContent(2, 44100, 16));
const std::string kData = Chunk("data", "\1\2\3\4\5\6\7\x8");
const std::string kTempo120("meta\4\0\0\0\xC0\xD4\1\0", 12);

// Names the files of a folder, to show that a refused or failed write leaves no temporary file behind.
std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : platform::ListDirectory(folder))
        names.push_back(entry.name);
    return names;
}

TEST(RiffEditor, WritesTheTempoChunkBeforeData) {
    testing::TempFolder folder;
    const std::string source = folder.WriteFile("Beat.wav", RiffFile(kFormat + kData));
    ASSERT_EQ(WriteWithTempo(source, folder.PathOf("Tagged.wav"), 90), TempoTagging::Written);

    const std::string tempo90("\x6D\x65\x74\x61\x04\x00\x00\x00\x90\x5F\x01\x00", 12);
    const std::uint32_t sourceSize = 4 + 24 + 16;
    EXPECT_EQ(testing::ReadFileBytes(folder.PathOf("Tagged.wav")),
              "RIFF" + Le32(sourceSize + 12) + "WAVE" + kFormat + tempo90 + kData);
}

struct LayoutCase {
    const char* name;
    std::string source;
    std::string expected;
};

void PrintTo(const LayoutCase& layoutCase, std::ostream* out) {
    *out << layoutCase.name;
}

class RiffLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(RiffLayout, CopiesEveryTopLevelChunkWithTheTempoBeforeData) {
    testing::TempFolder folder;
    platform::MemoryInputStream source(GetParam().source);
    const auto out = platform::CreateOutputFile(folder.PathOf("Out.wav"));
    ASSERT_EQ(WriteWithTempo(source, *out, 120), TempoTagging::Written);
    EXPECT_EQ(testing::ReadFileBytes(folder.PathOf("Out.wav")), GetParam().expected);
}

std::string Zeros(std::size_t count) {
    return std::string(count, '\0');
}

const std::string kOdd = Chunk("odd ", "abc");
const std::string kList = Chunk("LIST", "INFO" + Chunk("INAM", "Beat"));
// Content spanning several copy blocks, of which only part is present.
const std::uint32_t kLargeSize = 5 << 19;
const std::string kLargePresent(3 << 19, 'L');

INSTANTIATE_TEST_SUITE_P(
    Layouts, RiffLayout,
    ::testing::Values(
        // The pad byte is copied, so the tempo chunk starts at an even offset.
        LayoutCase{"OddChunkBeforeData", RiffFile(kFormat + kOdd + kData),
                   RiffFile(kFormat + kOdd + kTempo120 + kData, 4 + 24 + 12 + 12 + 16)},
        LayoutCase{"ListBeforeDataIsCopiedWhole", RiffFile(kFormat + kList + kData),
                   RiffFile(kFormat + kList + kTempo120 + kData, 4 + 24 + 24 + 12 + 16)},
        // Too small to hold its list type, yet copied as stored: its size decides where the next chunk is.
        LayoutCase{
            "ListTooSmallForItsType", RiffFile(kFormat + ChunkWithSize("LIST", 2, "ab") + kData),
            RiffFile(kFormat + ChunkWithSize("LIST", 2, "ab") + kTempo120 + kData, 4 + 24 + 10 + 12 + 16)},
        LayoutCase{"ChunksAfterDataKeepTheirOrder", RiffFile(kFormat + kData + kList),
                   RiffFile(kFormat + kTempo120 + kData + kList, 4 + 24 + 12 + 16 + 24)},
        LayoutCase{"NoDataChunkMeansNoTempo", RiffFile(kFormat + kList), RiffFile(kFormat + kList)},
        LayoutCase{
            "TruncatedDataIsFilledWithZeros", RiffFile(kFormat + ChunkWithSize("data", 9, "abc")),
            RiffFile(kFormat + kTempo120 + ChunkWithSize("data", 9, "abc" + Zeros(7)), 4 + 24 + 8 + 3 + 12)},
        LayoutCase{"TruncatedChunkLargerThanACopyBlock",
                   RiffFile(kFormat + ChunkWithSize("data", kLargeSize, kLargePresent)),
                   RiffFile(kFormat + kTempo120 + ChunkWithSize("data", kLargeSize, kLargePresent) +
                                Zeros(kLargeSize - kLargePresent.size()),
                            4 + 24 + 8 + (3 << 19) + 12)},
        LayoutCase{"ChunksBeyondTheRiffSizeAreDropped", RiffFile(kFormat + kData + kList, 4 + 24 + 16),
                   RiffFile(kFormat + kTempo120 + kData, 4 + 24 + 16 + 12)},
        LayoutCase{"TrailingBytesTooFewForAHeaderAreDropped",
                   RiffFile(kFormat + kData + "junk", 4 + 24 + 16 + 8),
                   RiffFile(kFormat + kTempo120 + kData, 4 + 24 + 16 + 8 + 12)},
        // A placeholder RIFF size stays the largest size rather than wrapping round to a small one.
        LayoutCase{"PlaceholderRiffSize", RiffFile(kFormat + kData, 0xFFFFFFFF),
                   RiffFile(kFormat + kTempo120 + kData, 0xFFFFFFFF)}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    std::string source;
};

void PrintTo(const RefusalCase& refusalCase, std::ostream* out) {
    *out << refusalCase.name;
}

class RiffRefusal : public ::testing::TestWithParam<RefusalCase> {};

// Nothing is written, and an existing destination stays as it is.
TEST_P(RiffRefusal, WritesNothingForASourceThatCantBeTaggedWhole) {
    testing::TempFolder folder;
    const std::string source = folder.WriteFile("Source.wav", GetParam().source);
    const std::string destination = folder.WriteFile("Out.wav", "old bytes");
    EXPECT_EQ(WriteWithTempo(source, destination, 120), TempoTagging::Refused);
    EXPECT_EQ(testing::ReadFileBytes(destination), "old bytes");
    EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::string>{"Out.wav", "Source.wav"}));
}

INSTANTIATE_TEST_SUITE_P(
    Sources, RiffRefusal,
    ::testing::Values(
        RefusalCase{"Ogg", "OggS" + std::string(24, '\2')}, RefusalCase{"Stub", "RIFF" + Le32(4)},
        RefusalCase{"Rf64", "RF64" + Le32(0xFFFFFFFF) + "WAVE" + Chunk("ds64", Zeros(28)) + kFormat + kData},
        // The copy would hold no audio: the data chunk lies beyond the RIFF size.
        RefusalCase{"DataBeyondTheRiffSize", RiffFile(kFormat + kData, 8)},
        // 48 bytes of source: 44 of headers, 4 of content. Zero bytes that outnumber the whole source
        // would be invented audio, and a few bytes claiming 4 GiB could fill the disk.
        RefusalCase{"ShortOfMoreThanTheSourceHolds", RiffFile(kFormat + ChunkWithSize("data", 53, "abcd"))},
        RefusalCase{"ShortOfGigabytes", RiffFile(kFormat + ChunkWithSize("data", 0xFFFFFFF0, "abcd"))},
        // A 32-bit end position would wrap back onto the data header itself.
        RefusalCase{"SizeThatWouldWrapAPosition",
                    RiffFile(kFormat + ChunkWithSize("data", 0xFFFFFFF8, "x"), 0xFFFFFFF0)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RiffEditor, CompletesAChunkShortOfAsManyBytesAsTheSourceHolds) {
    testing::TempFolder folder;
    const std::string source =
        folder.WriteFile("Beat.wav", RiffFile(kFormat + ChunkWithSize("data", 52, "abcd")));
    ASSERT_EQ(WriteWithTempo(source, folder.PathOf("Out.wav"), 120), TempoTagging::Written);
    EXPECT_EQ(platform::StatusOf(folder.PathOf("Out.wav")).size, 44u + 12 + 52);
}

TEST(RiffEditor, RefusesAMissingSource) {
    testing::TempFolder folder;
    EXPECT_EQ(WriteWithTempo(folder.PathOf("Missing.wav"), folder.PathOf("Out.wav"), 120),
              TempoTagging::Refused);
    EXPECT_TRUE(NamesIn(folder.Path()).empty());
}

TEST(RiffEditor, ReplacesAnExistingDestinationAndItsOwnSource) {
    testing::TempFolder folder;
    const std::string source = folder.WriteFile("Beat.wav", RiffFile(kFormat + kData));
    const std::string existing = folder.WriteFile("Existing.wav", "old bytes");
    const std::string tagged = RiffFile(kFormat + kTempo120 + kData, 4 + 24 + 16 + 12);
    for (const std::string& destination : {existing, source}) {
        EXPECT_EQ(WriteWithTempo(source, destination, 120), TempoTagging::Written);
        EXPECT_EQ(testing::ReadFileBytes(destination), tagged) << destination;
    }
    EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::string>{"Beat.wav", "Existing.wav"}));
}

// Reads fail, without reaching the end, from a given position on.
class FailingStream final : public platform::InputStream {
public:
    FailingStream(std::string bytes, std::uint64_t failFrom)
        : inner_(std::move(bytes)), failFrom_(failFrom) {}
    std::size_t Read(void* buffer, std::size_t count) override {
        return inner_.Tell() + count > failFrom_ ? 0 : inner_.Read(buffer, count);
    }
    bool Seek(std::uint64_t position) override { return inner_.Seek(position); }
    std::uint64_t Tell() const override { return inner_.Tell(); }
    std::uint64_t Length() const override { return inner_.Length(); }
    bool AtEnd() const override { return inner_.AtEnd(); }

private:
    platform::MemoryInputStream inner_;
    std::uint64_t failFrom_;
};

TEST(RiffEditor, AReadFailureLeavesTheDestinationAlone) {
    testing::TempFolder folder;
    const std::string destination = folder.WriteFile("Beat.wav", "old bytes");
    const std::string source = RiffFile(kFormat + kData);
    // Inside the data chunk's content, and inside a chunk header.
    for (const std::uint64_t failFrom : {source.size() - 4, std::uint64_t{40}}) {
        FailingStream stream(source, failFrom);
        {
            const auto out = platform::CreateOutputFile(destination);
            EXPECT_NE(WriteWithTempo(stream, *out, 120), TempoTagging::Written) << failFrom;
        }
        EXPECT_EQ(testing::ReadFileBytes(destination), "old bytes");
        EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"Beat.wav"});
    }
}

// Takes the first count bytes, then refuses every write, as a disk that fills up does.
class FillingOutputFile final : public platform::OutputFile {
public:
    explicit FillingOutputFile(std::size_t room) : room_(room) {}
    bool Write(const void*, std::size_t count) override {
        full_ = full_ || count > room_;
        room_ -= full_ ? 0 : count;
        return !full_;
    }
    bool Commit(Mode) override { return !full_; }
    std::string ErrorText() const override { return full_ ? "No space left on device" : ""; }

private:
    std::size_t room_;
    bool full_ = false;
};

// A loop that could be tagged but whose copy can't be saved is told apart from one that can't be tagged.
TEST(RiffEditor, ACopyThatCantBeSavedIsNotARefusal) {
    platform::MemoryInputStream source(RiffFile(kFormat + kData));
    FillingOutputFile out(30);
    EXPECT_EQ(WriteWithTempo(source, out, 120), TempoTagging::NotSaved);
}

}  // namespace
}  // namespace kitvane
