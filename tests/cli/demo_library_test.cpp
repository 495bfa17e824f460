// The demo library: every copy of its content is a distinct set of files, its announced size is what it
// writes, and an unfinished demo leaves nothing of itself behind.
#include "cli/demo_library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/path_text.h"
#include "tests/support/temp_folder.h"

namespace kitvane::cli {
namespace {

namespace fs = std::filesystem;

// Every file and folder below a folder (path text), by relative path, with each file's size.
std::map<std::string, std::uintmax_t> EntriesBelow(const std::string& folder) {
    std::map<std::string, std::uintmax_t> entries;
    const fs::path root(platform::ToNativePath(folder));
    for (const auto& entry : fs::recursive_directory_iterator(root))
        entries[fs::relative(entry.path(), root).generic_string()] =
            entry.is_directory() ? 0 : entry.file_size();
    return entries;
}

// A conversion puts the samples of many groups and instruments into one folder, where a second file
// of the same name is not copied; a scaled demo must therefore never repeat a sample's file name.
TEST(DemoLibrary, ScaledCopiesNameEverySampleApart) {
    const testing::TempFolder temp;
    const std::string library = temp.PathOf("Scaled Library");
    ASSERT_EQ(WriteDemoLibrary(library, {.scale = 3}), DemoOutcome::Written);
    std::map<std::string, int> namesSeen;
    int samples = 0;
    for (const auto& entry :
         fs::recursive_directory_iterator(platform::ToNativePath(library + "\\Samples"))) {
        if (entry.path().extension() != ".wav")
            continue;
        ++samples;
        EXPECT_EQ(++namesSeen[entry.path().filename().string()], 1) << entry.path();
    }
    EXPECT_EQ(samples, 3 * 30);
}

// make-demo announces this size and checks it against the disk's free space.
TEST(DemoLibrary, SizeIsTheBytesWritten) {
    for (const int scale : {1, 2}) {
        const testing::TempFolder temp;
        ASSERT_EQ(WriteDemoLibrary(temp.PathOf("Demo"), {.scale = scale}), DemoOutcome::Written);
        std::uintmax_t written = 0;
        for (const auto& [path, size] : EntriesBelow(temp.PathOf("Demo")))
            written += size;
        EXPECT_EQ(DemoLibrarySize({.scale = scale}), written) << "scale " << scale;
    }
}

// The benchmark's library of a real expansion's shape holds about 1 GiB, whatever the scale says.
TEST(DemoLibrary, RealExpansionShapeHoldsAboutAGibibyte) {
    const std::uint64_t size = DemoLibrarySize({.realExpansion = true});
    EXPECT_GT(size, 900u << 20);
    EXPECT_LT(size, 1100u << 20);
    EXPECT_EQ(DemoLibrarySize({.scale = 5, .realExpansion = true}), size);
}

// Stopped before its first file, in the middle of the samples, or before its very last file is
// complete, the demo takes away every file and folder it made, and only those.
TEST(DemoLibrary, AStoppedDemoRemovesWhatItMadeAndKeepsWhatWasThere) {
    int asksOfAWholeRun = 0;
    {
        const testing::TempFolder temp;
        ASSERT_EQ(WriteDemoLibrary(temp.PathOf("Demo"), {.scale = 2},
                                   [&](std::uint64_t) { return ++asksOfAWholeRun < 0; }),
                  DemoOutcome::Written);
    }
    for (const int stopAtAsk : {1, asksOfAWholeRun / 3, asksOfAWholeRun}) {
        const testing::TempFolder temp;
        temp.WriteFile("Demo/notes.txt", "mine");
        temp.MakeFolder("Demo/Samples/Drums/Kick");  // a folder of the user's that the demo writes into
        const auto before = EntriesBelow(temp.PathOf("Demo"));
        int asks = 0;
        EXPECT_EQ(WriteDemoLibrary(temp.PathOf("Demo"), {.scale = 2},
                                   [&](std::uint64_t) { return ++asks == stopAtAsk; }),
                  DemoOutcome::Stopped);
        EXPECT_EQ(EntriesBelow(temp.PathOf("Demo")), before) << "stopped at ask " << stopAtAsk;
    }
}

}  // namespace
}  // namespace kitvane::cli
