#include "platform/path_text.h"

#include <gtest/gtest.h>

namespace kitvane::platform {
namespace {

#ifndef _WIN32
TEST(PathText, PosixMapsBackslashesToSlashesAndBack) {
    EXPECT_EQ(ToNativePath("\\home\\ana\\Libs\\Dark Pressure Library"),
              "/home/ana/Libs/Dark Pressure Library");
    EXPECT_EQ(FromNativePath("/home/ana/Libs/Dark Pressure Library"),
              "\\home\\ana\\Libs\\Dark Pressure Library");
    EXPECT_EQ(ToNativePath("Samples/Drums\\Kick 1.wav"), "Samples/Drums/Kick 1.wav");
    EXPECT_EQ(ForDisplay("Vintage\\Kit 2.mxgrp"), "Vintage/Kit 2.mxgrp");
    EXPECT_EQ(ToNativePath(""), "");
}
#else
TEST(PathText, WindowsKeepsBackslashesAndTakesSlashesAsSeparators) {
    EXPECT_EQ(ToNativePath("D:\\Libs\\Dark Pressure Library"), "D:\\Libs\\Dark Pressure Library");
    EXPECT_EQ(FromNativePath("D:/Libs/Dark Pressure Library"), "D:\\Libs\\Dark Pressure Library");
    EXPECT_EQ(FromNativePath("\\\\server\\share/Libs"), "\\\\server\\share\\Libs");
    EXPECT_EQ(ForDisplay("Vintage\\Kit 2.mxgrp"), "Vintage\\Kit 2.mxgrp");
    EXPECT_EQ(ToNativePath(""), "");
}
#endif

}  // namespace
}  // namespace kitvane::platform
