// The POSIX file system's defences: what it refuses to read, what it refuses to list, and the
// temporary files that writes go through.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/byte_stream.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/temporary_files_posix.h"
#include "tests/support/temp_folder.h"

namespace kitvane::platform {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::TempFolder;

// Every name in the folder, hidden ones included, read past the platform layer.
std::set<std::string> NativeNamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(ToNativePath(folder)))
        names.insert(entry.path().filename());
    return names;
}

// A pipe would block an open until a writer comes, and /dev/zero never ends: neither may hang a run.
TEST(PosixFileSystem, ReadsAndCopiesOnlyRegularFiles) {
    TempFolder temp;
    const std::string pipe = temp.PathOf("Pipe.wav");
    ASSERT_EQ(::mkfifo(ToNativePath(pipe).c_str(), 0644), 0);
    const std::string zero = temp.PathOf("Zero.mxgrp");
    fs::create_symlink("/dev/zero", ToNativePath(zero));
    temp.MakeFolder("Out");
    for (const std::string& source : {pipe, zero}) {
        EXPECT_EQ(OpenForReading(source), nullptr) << source;
        EXPECT_FALSE(ReadWholeFile(source).has_value()) << source;
        EXPECT_FALSE(CopyFileNoReplace(source, temp.PathOf("Out\\copy"))) << source;
    }
    EXPECT_TRUE(NativeNamesIn(temp.PathOf("Out")).empty());

    const std::string linked = temp.PathOf("Linked.wav");
    fs::create_symlink(ToNativePath(temp.WriteFile("Real.wav", "RIFF")), ToNativePath(linked));
    EXPECT_EQ(ReadWholeFile(linked).value(), "RIFF");
    EXPECT_NE(OpenForReading(linked), nullptr);
}

// On POSIX a name may hold "\", which path text reads as a separator: "..\..\x.wav" would name a file
// two folders up. Such entries are not listed at all.
// A folder to be made right below the root is measured at the root.
TEST(PosixFileSystem, TheRootIsTheLastFolderOnTheWayUp) {
    EXPECT_EQ(NearestExistingFolder("\\kitvane-no-such-folder\\Demo"), "\\");
    EXPECT_TRUE(FreeSpaceAt("\\kitvane-no-such-folder\\Demo").has_value());
}

TEST(PosixFileSystem, ListingLeavesOutNamesThatPathTextCannotName) {
    TempFolder temp;
    const std::string folder = ToNativePath(temp.MakeFolder("Loops"));
    // Made natively: the test helpers would turn each "\" into a folder.
    for (const char* name : {"..\\..\\Escape.wav", "Drums\\Beat.wav", "Beat.wav"}) {
        std::FILE* file = std::fopen((folder + "/" + name).c_str(), "w");
        ASSERT_NE(file, nullptr) << name;
        std::fclose(file);
    }
    fs::create_directory(folder + "/..\\Up");
    std::vector<std::string> names;
    for (const auto& entry : ListDirectory(temp.PathOf("Loops")))
        names.push_back(entry.name);
    EXPECT_EQ(names, std::vector<std::string>{"Beat.wav"});
}

// Writes go through unnamed files where the file system has them and through named ones elsewhere
// (FAT drives, network shares); either way nothing but the finished file is ever left.
class TemporaryFiles : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { SetUnnamedTemporaryFilesAllowed(GetParam()); }
    void TearDown() override { SetUnnamedTemporaryFilesAllowed(true); }
};

TEST_P(TemporaryFiles, LeaveNothingButFinishedFiles) {
    TempFolder temp;
    const std::string source = temp.WriteFile("Source.wav", std::string(3 << 20, 's'));
    const std::string out = temp.MakeFolder("Out");
    EXPECT_EQ(ReplaceFileContent(out + "\\Kit.xpm", "old").status, WriteResult::Status::Written);
    EXPECT_EQ(ReplaceFileContent(out + "\\Kit.xpm", "new").status, WriteResult::Status::Written);
    EXPECT_TRUE(CopyFileNoReplace(source, out + "\\Copy.wav"));
    EXPECT_FALSE(CopyFileNoReplace(source, out + "\\Kit.xpm"));
    {
        auto abandoned = CreateOutputFile(out + "\\Abandoned.wav");
        ASSERT_NE(abandoned, nullptr);
        EXPECT_TRUE(abandoned->Write("abc", 3));
    }
    auto late = CreateOutputFile(out + "\\Late.wav");
    ASSERT_NE(late, nullptr);
    EXPECT_TRUE(late->Write("abc", 3));
    temp.WriteFile("Out/Late.wav", "came first");
    EXPECT_FALSE(late->Commit(OutputFile::Mode::NoReplace));

    EXPECT_EQ(NativeNamesIn(out), (std::set<std::string>{"Copy.wav", "Kit.xpm", "Late.wav"}));
    EXPECT_EQ(ReadFileBytes(out + "\\Kit.xpm"), "new");
    EXPECT_EQ(ReadFileBytes(out + "\\Copy.wav"), ReadFileBytes(source));
    EXPECT_EQ(ReadFileBytes(out + "\\Late.wav"), "came first");
}

INSTANTIATE_TEST_SUITE_P(UnnamedAndNamed, TemporaryFiles, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Unnamed" : "Named";
                         });

// A run killed between naming a temporary file and publishing it leaves the file behind; the next write
// into that folder removes it, whether the write is a replace or a copy that is refused. A pid above
// any pid_max stands for a writer that is gone; the parent of this test is a writer still running.
TEST(PosixFileSystem, TheNextWriteIntoAFolderRemovesWhatKilledWritersLeft) {
    TempFolder temp;
    const std::string gone = ".Kit.xpm.kvtmp-2147483647-0123456789abcdef";
    const std::string running = ".Kit.xpm.kvtmp-" + std::to_string(::getppid()) + "-0123456789abcdef";
    const std::set<std::string> notOurs{
        ".Kit.xpm.kvtmp-2147483647-0123456789abcdeg", "Kit.kvtmp-2147483647-0123456789abcdef",
        ".Kit.xpm.kvtmp-0-0123456789abcdef", ".kvtmp-2147483647-0123456789abcdef"};
    for (const char* folder : {"Programs", "Samples"}) {
        for (const std::string& name : notOurs)
            temp.WriteFile(std::string(folder) + "/" + name);
        temp.WriteFile(std::string(folder) + "/" + gone, "half");
        temp.WriteFile(std::string(folder) + "/" + running, "being written");
    }
    const std::string sample = temp.WriteFile("Samples/Kick.wav", "kept");

    EXPECT_EQ(ReplaceFileContent(temp.PathOf("Programs\\Kit.xpm"), "program").status,
              WriteResult::Status::Written);
    EXPECT_FALSE(CopyFileNoReplace(temp.PathOf("Samples\\Kick.wav"), sample));

    std::set<std::string> expected = notOurs;
    expected.insert(running);
    EXPECT_EQ(NativeNamesIn(temp.PathOf("Samples")), [&] {
        auto names = expected;
        names.insert("Kick.wav");
        return names;
    }());
    expected.insert("Kit.xpm");
    EXPECT_EQ(NativeNamesIn(temp.PathOf("Programs")), expected);
}

}  // namespace
}  // namespace kitvane::platform
