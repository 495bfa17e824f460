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

// Names the files of a folder, to show that a failed write leaves no temporary file behind.
std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : platform::ListDirectory(folder))
        names.push_back(entry.name);
    return names;
}

TEST(RiffEditor, WritesTheTempoChunkBeforeData) {
    testing::TempFolder folder;
    const std::string source = folder.WriteFile("Beat.wav", RiffFile(kFormat + kData));
    RiffEditor editor;
    ASSERT_TRUE(editor.Open(source));
    editor.CollectChunks();
    ASSERT_TRUE(editor.WriteWithTempo(folder.PathOf("Tagged.wav"), 90));
    editor.Close();

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
    RiffEditor editor;
    ASSERT_TRUE(editor.Open(std::make_unique<platform::MemoryInputStream>(GetParam().source)));
    editor.CollectChunks();
    ASSERT_TRUE(editor.WriteWithTempo(folder.PathOf("Out.wav"), 120));
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
        LayoutCase{"ChunksBeyondTheRiffSizeAreDropped", RiffFile(kFormat + kData, 4 + 24),
                   RiffFile(kFormat, 4 + 24)},
        LayoutCase{"TrailingBytesTooFewForAHeaderAreDropped",
                   RiffFile(kFormat + kData + "junk", 4 + 24 + 16 + 8),
                   RiffFile(kFormat + kTempo120 + kData, 4 + 24 + 16 + 8 + 12)}));

// Zero bytes are added for a truncated chunk only as long as they don't outnumber the whole source, so a
// file of a few bytes claiming a 4 GiB chunk can never write gigabytes.
struct OverrunCase {
    std::uint32_t declaredSize;
    bool written;
};

TEST(RiffEditor, PadsATruncatedChunkOnlyUpToTheLengthOfTheSource) {
    testing::TempFolder folder;
    // 48 bytes of source: 44 of headers, 4 of the data chunk's content.
    for (const OverrunCase& overrun : {OverrunCase{52, true}, OverrunCase{53, false}, OverrunCase{54, false},
                                       OverrunCase{0xFFFFFFF0, false}}) {
        const std::string source = RiffFile(kFormat + ChunkWithSize("data", overrun.declaredSize, "abcd"));
        const std::string destination = folder.PathOf(std::to_string(overrun.declaredSize) + ".wav");
        RiffEditor editor;
        ASSERT_TRUE(editor.Open(std::make_unique<platform::MemoryInputStream>(source)));
        editor.CollectChunks();
        EXPECT_EQ(editor.OverrunsSource(), !overrun.written) << overrun.declaredSize;
        EXPECT_EQ(editor.WriteWithTempo(destination, 120), overrun.written) << overrun.declaredSize;
        // Headers, the tempo chunk and the 52 bytes of content.
        EXPECT_EQ(platform::StatusOf(destination).size, overrun.written ? 44u + 12 + 52 : 0u);
    }
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"52.wav"});
}

TEST(RiffEditor, RefusesWhatIsNotARiffFile) {
    testing::TempFolder folder;
    const std::string ogg = folder.WriteFile("Beat.wav", "OggS" + std::string(24, '\2'));
    const std::string stub = folder.WriteFile("Stub.wav", "RIFF" + Le32(4));
    for (const std::string& source : {ogg, stub, folder.PathOf("Missing.wav")}) {
        RiffEditor editor;
        EXPECT_FALSE(editor.Open(source)) << source;
        editor.CollectChunks();
        EXPECT_TRUE(editor.Chunks().empty());
        EXPECT_FALSE(editor.WriteWithTempo(folder.PathOf("Out.wav"), 120));
        EXPECT_FALSE(platform::StatusOf(folder.PathOf("Out.wav")).exists) << source;
    }
}

TEST(RiffEditor, ReplacesAnExistingDestinationAndItsOwnSource) {
    testing::TempFolder folder;
    const std::string source = folder.WriteFile("Beat.wav", RiffFile(kFormat + kData));
    const std::string existing = folder.WriteFile("Existing.wav", "old bytes");
    const std::string tagged = RiffFile(kFormat + kTempo120 + kData, 4 + 24 + 16 + 12);
    for (const std::string& destination : {existing, source}) {
        RiffEditor editor;
        ASSERT_TRUE(editor.Open(source));
        editor.CollectChunks();
        EXPECT_TRUE(editor.WriteWithTempo(destination, 120));
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
    bool AtEnd() const override { return inner_.AtEnd(); }

private:
    platform::MemoryInputStream inner_;
    std::uint64_t failFrom_;
};

TEST(RiffEditor, AReadFailureInsideAChunkLeavesTheDestinationAlone) {
    testing::TempFolder folder;
    const std::string destination = folder.WriteFile("Beat.wav", "old bytes");
    const std::string source = RiffFile(kFormat + kData);
    RiffEditor editor;
    ASSERT_TRUE(editor.Open(std::make_unique<FailingStream>(source, source.size() - 4)));
    editor.CollectChunks();
    ASSERT_EQ(editor.Chunks().size(), 2u);
    EXPECT_FALSE(editor.WriteWithTempo(destination, 120));
    EXPECT_EQ(testing::ReadFileBytes(destination), "old bytes");
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"Beat.wav"});
}

TEST(RiffEditor, ListsTopLevelChunksWithoutEnteringLists) {
    RiffEditor editor;
    ASSERT_TRUE(editor.Open(std::make_unique<platform::MemoryInputStream>(RiffFile(kOdd + kList + kData))));
    editor.CollectChunks();
    std::vector<std::string> layout;
    for (const auto& chunk : editor.Chunks()) {
        layout.push_back(chunk.id + chunk.formType + ":" + std::to_string(chunk.size) + "@" +
                         std::to_string(chunk.dataStart) + "-" + std::to_string(chunk.dataEnd));
    }
    EXPECT_EQ(layout, (std::vector<std::string>{"odd :3@20-24", "LISTINFO:12@36-48", "data:8@56-64"}));
}

TEST(RiffEditor, SizesThatWouldWrapAPositionStillEndTheWalk) {
    // A 32-bit dataEnd would wrap back onto the data header itself and list it forever.
    const std::string source = RiffFile(kFormat + ChunkWithSize("data", 0xFFFFFFF8, "x"), 0xFFFFFFF0);
    RiffEditor editor;
    ASSERT_TRUE(editor.Open(std::make_unique<platform::MemoryInputStream>(source)));
    editor.CollectChunks();
    ASSERT_EQ(editor.Chunks().size(), 2u);
    EXPECT_EQ(editor.Chunks()[1].dataEnd, std::uint64_t{44} + 0xFFFFFFF8);
}

}  // namespace
}  // namespace kitvane
