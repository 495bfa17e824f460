#include "convert/path_operations.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

using testing::TempFolder;

TEST(PathOperationsTest, FolderOfPathCutsBeforeTheLastBackslashAndOneMore) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Lib\\Groups\\Kit 1.mxgrp", "C:\\Lib\\Groups"},
        {"Vintage\\Analog\\Kit 3.mxgrp", "Vintage\\Analog"},
        {"a\\b\\", "a\\b"},
        {"a\\\\b", "a"},
        {"Kit 1.mxgrp", "Kit 1.mxgrp"},
        {"\\Kit", ""},
        {"", ""},
    };
    for (const auto& [path, folder] : cases)
        EXPECT_EQ(FolderOfPath(path), folder) << path;
}

TEST(PathOperationsTest, FileNameOfPathTakesTheTextAfterTheLastBackslash) {
    const std::pair<const char*, const char*> cases[] = {
        {"Samples\\Drums\\Kick 1.wav", "Kick 1.wav"},
        {"Kick 1.wav", "Kick 1.wav"},
        {"Samples/Drums/Kick.wav", "Samples/Drums/Kick.wav"},
        {"a\\", ""},
        {"", ""},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(FileNameOfPath(path), name) << path;
}

TEST(PathOperationsTest, StripExtensionCutsAtTheLastDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"Kit 2.mxgrp", "Kit 2"},
        {"Vol. 2.mxgrp", "Vol. 2"},
        {"Kit.B.mxgrp", "Kit.B"},
        {"Kick", "Kick"},
        {".wav", ""},
        {"", ""},
    };
    for (const auto& [name, stem] : cases)
        EXPECT_EQ(StripExtension(name), stem) << name;
}

TEST(PathOperationsTest, PathExistsForFilesAndFoldersOfAnyLength) {
    TempFolder folder;
    EXPECT_TRUE(PathExists(folder.WriteFile("Kick.wav", "x")));
    EXPECT_TRUE(PathExists(folder.MakeFolder("Groups")));
    EXPECT_FALSE(PathExists(folder.PathOf("Missing.wav")));
    EXPECT_FALSE(PathExists(""));
    const std::string deep =
        folder.WriteFile(std::string(120, 'a') + "\\" + std::string(120, 'b') + "\\Kick.wav");
    ASSERT_GE(deep.size(), 260u);
    EXPECT_TRUE(PathExists(deep));
}

TEST(PathOperationsTest, StaysInsideLibraryRefusesAbsolutePathsAndParentSteps) {
    const std::pair<const char*, bool> cases[] = {
        {"Samples/Drums/Kick 1.wav", true},
        {"Samples\\Drums\\Kick 1.wav", true},
        {"Samples/..hidden/x..wav", true},
        {"Samples/.../Kick.wav", true},
        {"", true},
        {"../Outside/Kick.wav", false},
        {"Samples/../../Kick.wav", false},
        {"Samples\\..\\..\\Kick.wav", false},
        {"Samples/..", false},
        {"/etc/passwd", false},
        {"\\Windows\\Kick.wav", false},
        {"C:\\Kick.wav", false},
        {"C:Kick.wav", false},
    };
    for (const auto& [reference, inside] : cases)
        EXPECT_EQ(StaysInsideLibrary(reference), inside) << reference;
}

TEST(PathOperationsTest, CreateFoldersMakesEveryFolderAlongAFolderPath) {
    TempFolder folder;
    const std::string kit = folder.PathOf("Out\\Vintage\\Kit 2\\");
    EXPECT_TRUE(CreateFolders(kit, PathKind::Folder));
    EXPECT_TRUE(platform::StatusOf(folder.PathOf("Out\\Vintage\\Kit 2")).isDirectory);
    EXPECT_TRUE(CreateFolders(kit, PathKind::Folder));  // all there already

    const std::string root = folder.PathOf("Root\\Lib");
    EXPECT_TRUE(CreateFolders(root, PathKind::Folder));
    EXPECT_TRUE(platform::StatusOf(root).isDirectory);
}

TEST(PathOperationsTest, CreateFoldersMakesTheFolderOfAFilePathButNotTheFile) {
    TempFolder folder;
    const std::string preview = folder.PathOf("Out\\Vintage\\[Previews]\\Kit 2.xpm.ogg");
    EXPECT_TRUE(CreateFolders(preview, PathKind::File));
    EXPECT_TRUE(platform::StatusOf(folder.PathOf("Out\\Vintage\\[Previews]")).isDirectory);
    EXPECT_FALSE(PathExists(preview));
    EXPECT_FALSE(CreateFolders("Kit 2.xpm.ogg", PathKind::File));
}

TEST(PathOperationsTest, CreateFoldersReportsAFolderThatCannotBeMade) {
    TempFolder folder;
    folder.WriteFile("Out", "a file in the way");
    EXPECT_FALSE(CreateFolders(folder.PathOf("Out\\Kits"), PathKind::Folder));
    EXPECT_FALSE(CreateFolders(folder.PathOf("Out\\Kits\\Kit.xpm"), PathKind::File));
}

}  // namespace
}  // namespace kitvane
