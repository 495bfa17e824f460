#include "convert/output_names.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using testing::TempFolder;

TEST(OutputNamesTest, NamesFollowTheEntryAndTheKitFolderOption) {
    struct Case {
        const char* entry;
        int kitFolder;
        const char* programName;
        const char* kitFolderName;
        const char* programFolder;
        const char* programFile;
        const char* previewDestination;
    };
    const Case cases[] = {
        {"Vintage\\Kit 2.mxgrp", 0, "Kit 2", "Vintage", "D:\\Out\\Vintage\\", "D:\\Out\\Vintage\\Kit 2.xpm",
         "D:\\Out\\Vintage\\[Previews]\\Kit 2.xpm.ogg"},
        {"Vintage\\Kit 2.mxgrp", 1, "Kit 2", "Vintage", "D:\\Out\\Vintage\\Kit 2\\",
         "D:\\Out\\Vintage\\Kit 2\\Kit 2.xpm", "D:\\Out\\Vintage\\Kit 2\\[Previews]\\Kit 2.xpm.ogg"},
        {"Kit 1.mxgrp", 0, "Kit 1", "Kits", "D:\\Out\\Kits\\", "D:\\Out\\Kits\\Kit 1.xpm",
         "D:\\Out\\Kits\\[Previews]\\Kit 1.xpm.ogg"},
        {"Kit 1.mxgrp", 1, "Kit 1", "Kits", "D:\\Out\\Kits\\Kit 1\\", "D:\\Out\\Kits\\Kit 1\\Kit 1.xpm",
         "D:\\Out\\Kits\\Kit 1\\[Previews]\\Kit 1.xpm.ogg"},
        {"Kits\\Kit.mxgrp", 0, "Kit", "Kits", "D:\\Out\\Kits\\", "D:\\Out\\Kits\\Kit.xpm",
         "D:\\Out\\Kits\\[Previews]\\Kit.xpm.ogg"},
        {"Vintage\\Analog\\Vol. 2.mxgrp", 0, "Vol. 2", "Vintage\\Analog", "D:\\Out\\Vintage\\Analog\\",
         "D:\\Out\\Vintage\\Analog\\Vol. 2.xpm", "D:\\Out\\Vintage\\Analog\\[Previews]\\Vol. 2.xpm.ogg"},
        {"Kit.B.mxgrp", 0, "Kit.B", "Kits", "D:\\Out\\Kits\\", "D:\\Out\\Kits\\Kit.B.xpm",
         "D:\\Out\\Kits\\[Previews]\\Kit.B.xpm.ogg"},
    };
    LibraryModel library;
    library.LibraryPath = "C:\\Lib";
    for (const Case& c : cases) {
        const DrumOutputNames names = NamesForGroup(library, c.kitFolder, "D:\\Out", c.entry);
        EXPECT_EQ(names.GroupFilePath, std::string("C:\\Lib\\Groups\\") + c.entry);
        EXPECT_EQ(names.ProgramName, c.programName) << c.entry;
        EXPECT_EQ(names.KitFolder, c.kitFolderName) << c.entry;
        EXPECT_EQ(names.ProgramFolder, c.programFolder) << c.entry << " " << c.kitFolder;
        EXPECT_EQ(names.ProgramFile, c.programFile) << c.entry << " " << c.kitFolder;
        EXPECT_EQ(names.PreviewDestination, c.previewDestination) << c.entry << " " << c.kitFolder;
    }
}

TEST(OutputNamesTest, GroupFileNameKeepsItsExtensionAndTheGroupSubfolderIsUsed) {
    LibraryModel library;
    library.LibraryPath = "C:\\Lib";
    library.GroupSubfolder = "\\Kits\\";
    const DrumOutputNames names = NamesForGroup(library, 0, "D:\\Out", "Vintage\\Kit 2.mxgrp");
    EXPECT_EQ(names.GroupFilePath, "C:\\Lib\\Kits\\Vintage\\Kit 2.mxgrp");
    EXPECT_EQ(names.GroupFileName, "Kit 2.mxgrp");
}

TEST(OutputNamesTest, PreviewSourcePrefersTheDotPreviewsFolder) {
    TempFolder lib;
    LibraryModel library;
    library.LibraryPath = lib.Path();
    const std::string groups = lib.Path() + "\\Groups\\Vintage";

    // Neither exists: the "previews" form, untested.
    EXPECT_EQ(NamesForGroup(library, 0, "D:\\Out", "Vintage\\Kit 2.mxgrp").PreviewSource,
              groups + "\\previews\\Kit 2.mxgrp.ogg");

    lib.WriteFile("Groups\\Vintage\\previews\\Kit 2.mxgrp.ogg", "ogg");
    EXPECT_EQ(NamesForGroup(library, 0, "D:\\Out", "Vintage\\Kit 2.mxgrp").PreviewSource,
              groups + "\\previews\\Kit 2.mxgrp.ogg");

    lib.WriteFile("Groups\\Vintage\\.previews\\Kit 2.mxgrp.ogg", "ogg");
    EXPECT_EQ(NamesForGroup(library, 0, "D:\\Out", "Vintage\\Kit 2.mxgrp").PreviewSource,
              groups + "\\.previews\\Kit 2.mxgrp.ogg");
}

}  // namespace
}  // namespace kitvane
