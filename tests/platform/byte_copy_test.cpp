// Copying a range of a stream into an output file: the same result whether the bytes pass through
// memory or go by the platform's own copy path, and a position that later reads carry on from.
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

const StreamKind kStreamKinds[] = {
    {"memory",
     [](const TempFolder&, const std::string& bytes) { return std::make_unique<MemoryInputStream>(bytes); }},
    {"file", [](const TempFolder& temp,
                const std::string& bytes) { return OpenForReading(temp.WriteFile("in.bin", bytes)); }},
};

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
