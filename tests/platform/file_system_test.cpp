#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/byte_stream.h"
#include "platform/path_text.h"
#include "tests/support/temp_folder.h"

namespace kitvane::platform {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : ListDirectory(folder))
        names.push_back(entry.name + (entry.isDirectory ? "\\" : ""));
    return names;
}

TEST(FileSystem, ListsByUpperCasedNameThenRawBytes) {
    TempFolder temp;
    for (const char* name : {"b.wav", "A.wav", "a.wav", "_x", "Z", "[Previews]", "c10", "c2"})
        temp.WriteFile(name);
    temp.MakeFolder("Bfolder");
    std::vector<std::string> expected{"A.wav", "a.wav", "b.wav",      "Bfolder\\", "c10",
                                      "c2",    "Z",     "[Previews]", "_x"};
#ifdef _WIN32
    expected.erase(expected.begin() + 1);  // names that differ only in case name one file there
#endif
    EXPECT_EQ(NamesIn(temp.Path()), expected);
}

TEST(FileSystem, MissingFolderListsNothingAndStatusSaysAbsent) {
    TempFolder temp;
    EXPECT_TRUE(ListDirectory(temp.PathOf("none")).empty());
    EXPECT_FALSE(StatusOf(temp.PathOf("none")).exists);
    EXPECT_FALSE(StatusOf("").exists);
    const std::string file = temp.WriteFile("f.bin", "12345");
    EXPECT_EQ(StatusOf(file).size, 5u);
    EXPECT_FALSE(StatusOf(file).isDirectory);
    EXPECT_TRUE(StatusOf(temp.Path()).isDirectory);
}

TEST(FileSystem, CreateFolderMakesOneLevelOnly) {
    TempFolder temp;
    EXPECT_TRUE(CreateFolder(temp.PathOf("one")));
    EXPECT_FALSE(CreateFolder(temp.PathOf("one")));
    EXPECT_FALSE(CreateFolder(temp.PathOf("two\\three")));
}

TEST(FileSystem, RemovesFilesAndOnlyEmptyFolders) {
    TempFolder temp;
    const std::string file = temp.WriteFile("Full/a.wav", "x");
    temp.MakeFolder("Empty");
    EXPECT_FALSE(RemoveEmptyFolder(temp.PathOf("Full")));
    EXPECT_FALSE(RemoveFile(temp.PathOf("Empty")));
    EXPECT_TRUE(RemoveFile(file));
    EXPECT_FALSE(RemoveFile(file));
    EXPECT_TRUE(RemoveEmptyFolder(temp.PathOf("Full")));
    EXPECT_TRUE(RemoveEmptyFolder(temp.PathOf("Empty")));
    EXPECT_TRUE(ListDirectory(temp.Path()).empty());
}

// Free space is asked of the disk that will hold a path: below a folder not made yet, or a file.
TEST(FileSystem, FreeSpaceIsMeasuredAtTheNearestExistingFolder) {
    TempFolder temp;
    const std::string file = temp.WriteFile("Lib/a.wav", "x");
    for (const auto& [path, nearest] : std::vector<std::pair<std::string, std::string>>{
             {temp.Path(), temp.Path()},
             {temp.PathOf("Lib"), temp.PathOf("Lib")},
             {temp.PathOf("New/Demo/Samples"), temp.Path()},
             {file + "\\below a file", temp.PathOf("Lib")},
         }) {
        EXPECT_EQ(NearestExistingFolder(path), nearest) << path;
        EXPECT_TRUE(FreeSpaceAt(path).has_value()) << path;
    }
    EXPECT_EQ(NearestExistingFolder(""), "");
    EXPECT_FALSE(FreeSpaceAt("").has_value());
}

TEST(FileSystem, CopyNeverReplacesAndLeavesNoTemporaryFile) {
    TempFolder temp;
    const std::string source = temp.WriteFile("src.wav", std::string(3 << 20, 'x'));
    const std::string destination = temp.PathOf("out\\dst.wav");
    CreateFolder(temp.PathOf("out"));
    EXPECT_TRUE(CopyFileNoReplace(source, destination));
    EXPECT_EQ(ReadFileBytes(destination), ReadFileBytes(source));
    temp.WriteFile("src2.wav", "other");
    EXPECT_FALSE(CopyFileNoReplace(temp.PathOf("src2.wav"), destination));
    EXPECT_EQ(ReadFileBytes(destination).size(), 3u << 20);
    EXPECT_FALSE(CopyFileNoReplace(temp.PathOf("missing.wav"), temp.PathOf("out\\m.wav")));
    EXPECT_FALSE(CopyFileNoReplace(source, temp.PathOf("nofolder\\x.wav")));
    EXPECT_EQ(NamesIn(temp.PathOf("out")), std::vector<std::string>{"dst.wav"});
}

TEST(FileSystem, ReplaceFileContentReplacesWholeFileAtomically) {
    TempFolder temp;
    const std::string path = temp.WriteFile("p.xpm", "a much longer old content");
    EXPECT_EQ(ReplaceFileContent(path, "new").status, WriteResult::Status::Written);
    EXPECT_EQ(ReadFileBytes(path), "new");
    EXPECT_EQ(ReplaceFileContent(temp.PathOf("missing\\p.xpm"), "x").status, WriteResult::Status::NotCreated);
    EXPECT_EQ(NamesIn(temp.Path()), std::vector<std::string>{"p.xpm"});
}

TEST(FileSystem, UncommittedOutputFileLeavesNothing) {
    TempFolder temp;
    {
        auto out = CreateOutputFile(temp.PathOf("half.wav"));
        ASSERT_NE(out, nullptr);
        EXPECT_TRUE(out->Write("abc", 3));
    }
    EXPECT_TRUE(NamesIn(temp.Path()).empty());
}

TEST(FileSystem, ReadWholeFileAndStreams) {
    TempFolder temp;
    const std::string path = temp.WriteFile("data.bin", std::string("ab\0cd", 5));
    EXPECT_EQ(ReadWholeFile(path).value(), std::string("ab\0cd", 5));
    EXPECT_FALSE(ReadWholeFile(temp.PathOf("none")).has_value());
    EXPECT_FALSE(ReadWholeFile(temp.Path()).has_value());

    auto stream = OpenForReading(path);
    ASSERT_NE(stream, nullptr);
    char buffer[8] = {};
    EXPECT_TRUE(stream->Seek(3));
    EXPECT_EQ(stream->Read(buffer, 2), 2u);
    EXPECT_FALSE(stream->AtEnd());
    EXPECT_EQ(stream->Tell(), 5u);
    EXPECT_EQ(stream->Read(buffer, 1), 0u);
    EXPECT_TRUE(stream->AtEnd());
    EXPECT_TRUE(stream->Seek(100));
    EXPECT_FALSE(stream->AtEnd());
    EXPECT_EQ(stream->Read(buffer, 1), 0u);
    EXPECT_EQ(OpenForReading(temp.PathOf("none")), nullptr);
}

TEST(FileSystem, MemoryStreamBehavesLikeAFile) {
    MemoryInputStream stream("12345");
    char buffer[8] = {};
    EXPECT_EQ(stream.Read(buffer, 8), 5u);
    EXPECT_TRUE(stream.AtEnd());
    EXPECT_TRUE(stream.Seek(1));
    EXPECT_EQ(stream.Read(buffer, 2), 2u);
    EXPECT_EQ(std::string(buffer, 2), "23");
    EXPECT_EQ(stream.Tell(), 3u);
}

TEST(FileSystem, ExecutableFolderHoldsTheRunningTest) {
    const std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(StatusOf(folder).isDirectory);
}

}  // namespace
}  // namespace kitvane::platform
