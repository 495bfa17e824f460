// The demo library at a larger scale: every copy of its content is a distinct set of files.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "cli/demo_library.h"
#include "platform/path_text.h"
#include "tests/support/temp_folder.h"

namespace kitvane::cli {
namespace {

namespace fs = std::filesystem;

// A conversion puts the samples of many groups and instruments into one folder, where a second file
// of the same name is not copied; a scaled demo must therefore never repeat a sample's file name.
TEST(DemoLibrary, ScaledCopiesNameEverySampleApart) {
    const testing::TempFolder temp;
    const std::string library = temp.PathOf("Scaled Library");
    ASSERT_TRUE(WriteDemoLibrary(library, 3));
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

}  // namespace
}  // namespace kitvane::cli
