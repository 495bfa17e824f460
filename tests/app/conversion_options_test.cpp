#include "app/conversion_options.h"

#include <gtest/gtest.h>

namespace kitvane {
namespace {

TEST(ConversionOptionsTest, VolumeTextFollowsTheListAndFallsBackToFullVolume) {
    const std::pair<int, const char*> cases[] = {
        {0, "1.000000"}, {1, "0.900000"}, {2, "0.800000"}, {3, "0.750000"}, {4, "1.000000"}, {-1, "1.000000"},
    };
    for (const auto& [index, text] : cases)
        EXPECT_EQ(VolumeText(index), text) << index;
}

TEST(ConversionOptionsTest, ReleaseTextFollowsTheListAndFallsBackToMedium) {
    const std::pair<int, const char*> cases[] = {
        {0, "0.600000"}, {1, "0.670000"}, {2, "0.750000"}, {3, "0.670000"}, {-1, "0.670000"},
    };
    for (const auto& [index, text] : cases)
        EXPECT_EQ(ReleaseText(index), text) << index;
}

TEST(ConversionOptionsTest, CheckBoxValueKeepsTheThreeStatesAndClearsAnythingElse) {
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {7, 0}, {-1, 0}, {1 << 30, 0}};
    for (const auto& [stored, shown] : cases)
        EXPECT_EQ(CheckBoxValue(stored), shown) << stored;
}

}  // namespace
}  // namespace kitvane
