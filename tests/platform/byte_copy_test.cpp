// Copying a range of a stream into an output file: the same result whether the bytes pass through
// memory or go by the platform's own copy path, read directly or through a buffer, and a position that
// later reads carry on from.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/byte_stream.h"
#include "tests/support/temp_folder.h"

namespace kitvane::platform {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

struct StreamKind {
    const char* name;
    std::function<std::unique_ptr<InputStream>(const TempFolder&, const std::string&)> open;
};

// A file read through a buffer of a few bytes, so that reads and seeks cross its blocks.
class BufferedFile final : public InputStream {
public:
    explicit BufferedFile(std::unique_ptr<InputStream> file) : file_(std::move(file)), buffered_(*file_, 3) {}
    std::size_t Read(void* buffer, std::size_t count) override { return buffered_.Read(buffer, count); }
    bool Seek(std::uint64_t position) override { return buffered_.Seek(position); }
    std::uint64_t Tell() const override { return buffered_.Tell(); }
    std::uint64_t Length() const override { return buffered_.Length(); }
    bool AtEnd() const override { return buffered_.AtEnd(); }
    std::uint64_t CopyTo(OutputFile& out, std::uint64_t count) override {
        return buffered_.CopyTo(out, count);
    }

private:
    std::unique_ptr<InputStream> file_;
    BufferedInputStream buffered_;
};

const StreamKind kStreamKinds[] = {
    {"memory",
     [](const TempFolder&, const std::string& bytes) { return std::make_unique<MemoryInputStream>(bytes); }},
    {"file", [](const TempFolder& temp,
                const std::string& bytes) { return OpenForReading(temp.WriteFile("in.bin", bytes)); }},
    {"buffered file",
     [](const TempFolder& temp, const std::string& bytes) -> std::unique_ptr<InputStream> {
         return std::make_unique<BufferedFile>(OpenForReading(temp.WriteFile("in.bin", bytes)));
     }},
};

std::string ReadBytes(InputStream& in, std::size_t count) {
    std::string bytes(count, '\0');
    bytes.resize(in.Read(bytes.data(), count));
    return bytes;
}

// Reads and seeks, inside the block held and beyond it, give the file's bytes, and a read that runs
// into the end says so.
TEST(StreamRead, ReadsAndSeeksAcrossBlocks) {
    for (const StreamKind& kind : kStreamKinds) {
        SCOPED_TRACE(kind.name);
        const TempFolder temp;
        const auto in = kind.open(temp, "0123456789");
        ASSERT_NE(in, nullptr);
        EXPECT_EQ(in->Length(), 10u);
        EXPECT_EQ(ReadBytes(*in, 2), "01");
        EXPECT_EQ(ReadBytes(*in, 5), "23456");
        ASSERT_TRUE(in->Seek(1));
        EXPECT_EQ(ReadBytes(*in, 1), "1");
        ASSERT_TRUE(in->Seek(8));
        EXPECT_FALSE(in->AtEnd());
        EXPECT_EQ(ReadBytes(*in, 5), "89");
        EXPECT_TRUE(in->AtEnd());
        ASSERT_TRUE(in->Seek(20));
        EXPECT_EQ(ReadBytes(*in, 1), "");
        EXPECT_TRUE(in->AtEnd());
        EXPECT_EQ(in->Tell(), 20u);
    }
}

// The whole stream is copied from its start, whatever was read before, and never over a file.
TEST(StreamCopy, CopyNoReplaceTakesTheWholeStreamAndKeepsAnExistingFile) {
    for (const StreamKind& kind : kStreamKinds) {
        SCOPED_TRACE(kind.name);
        const TempFolder temp;
        const auto in = kind.open(temp, "0123456789");
        ASSERT_NE(in, nullptr);
        EXPECT_EQ(ReadBytes(*in, 4), "0123");
        EXPECT_TRUE(CopyStreamNoReplace(*in, temp.PathOf("copy.bin")));
        EXPECT_EQ(ReadFileBytes(temp.PathOf("copy.bin")), "0123456789");

        const std::string existing = temp.WriteFile("existing.bin", "old");
        EXPECT_FALSE(CopyStreamNoReplace(*in, existing));
        EXPECT_EQ(ReadFileBytes(existing), "old");
    }
}

TEST(StreamCopy, CopiesARangeThenStopsAtTheEnd) {
    for (const StreamKind& kind : kStreamKinds) {
        SCOPED_TRACE(kind.name);
        const TempFolder temp;
        const auto in = kind.open(temp, "0123456789");
        ASSERT_NE(in, nullptr);
        const auto out = CreateOutputFile(temp.PathOf("out.bin"));
        ASSERT_NE(out, nullptr);

        ASSERT_TRUE(in->Seek(2));
        EXPECT_EQ(in->CopyTo(*out, 4), 4u);
        EXPECT_EQ(in->Tell(), 6u);
        EXPECT_FALSE(in->AtEnd());
        char next = 0;
        ASSERT_EQ(in->Read(&next, 1), 1u);
        EXPECT_EQ(next, '6');

        EXPECT_EQ(in->CopyTo(*out, 100), 3u);
        EXPECT_TRUE(in->AtEnd());
        EXPECT_EQ(in->CopyTo(*out, 0), 0u);
        ASSERT_TRUE(out->Commit(OutputFile::Mode::Replace));
        EXPECT_EQ(ReadFileBytes(temp.PathOf("out.bin")), "2345789");
    }
}

// A copy far larger than the block a copy through memory holds.
TEST(StreamCopy, CopiesMoreThanOneBlockIntact) {
    std::string bytes(3 * (1 << 20) + 7, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 131 % 251);
    for (const StreamKind& kind : kStreamKinds) {
        SCOPED_TRACE(kind.name);
        const TempFolder temp;
        const auto in = kind.open(temp, bytes);
        const auto out = CreateOutputFile(temp.PathOf("out.bin"));
        ASSERT_TRUE(in != nullptr && out != nullptr);
        EXPECT_EQ(in->CopyTo(*out, bytes.size()), bytes.size());
        ASSERT_TRUE(out->Commit(OutputFile::Mode::Replace));
        EXPECT_EQ(ReadFileBytes(temp.PathOf("out.bin")), bytes);
    }
}

}  // namespace
}  // namespace kitvane::platform
