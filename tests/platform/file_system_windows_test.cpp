// The Windows file system on its own ground: backslash paths, drive roots, paths beyond MAX_PATH, names
// beyond ASCII, devices, files held open by readers, and the temporary files that writes go through.
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "platform/byte_stream.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "tests/support/temp_folder.h"

namespace kitvane::platform {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::TempFolder;

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : ListDirectory(folder))
        names.push_back(entry.name);
    return names;
}

// Every name in the folder, read past the platform layer.
std::set<std::wstring> NativeNamesIn(const std::string& folder) {
    std::set<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(fs::path(std::u8string(folder.begin(), folder.end()))))
        names.insert(entry.path().filename().wstring());
    return names;
}

TEST(WindowsFileSystem, ADriveAloneIsItsRoot) {
    TempFolder temp;
    const std::string drive = temp.Path().substr(0, 2);
    ASSERT_EQ(drive[1], ':');
    EXPECT_TRUE(StatusOf(drive).isDirectory);
    EXPECT_TRUE(StatusOf(drive + "\\").isDirectory);
    EXPECT_EQ(NamesIn(drive), NamesIn(drive + "\\"));
    EXPECT_FALSE(NamesIn(drive).empty());
    EXPECT_EQ(AbsolutePath(drive), drive);
}

TEST(WindowsFileSystem, SlashesAndRelativePathsReachTheSameFile) {
    TempFolder temp;
    const std::string file = temp.WriteFile("Kits/Kit 1.xpm", "program");
    std::string slashed = file;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    EXPECT_EQ(ReadWholeFile(slashed).value_or(""), "program");
    EXPECT_EQ(ReadWholeFile(temp.PathOf("Kits\\..\\Kits\\.\\Kit 1.xpm")).value_or(""), "program");
    EXPECT_EQ(AbsolutePath(file), file);
    EXPECT_EQ(AbsolutePath("\\\\server\\share\\Lib"), "\\\\server\\share\\Lib");
    const std::string relative = AbsolutePath("Some Lib\\Groups");
    EXPECT_EQ(relative.substr(1, 2), ":\\");
    EXPECT_TRUE(relative.ends_with("\\Some Lib\\Groups")) << relative;
}

// Every operation on a path far beyond MAX_PATH (260), as deep libraries and output folders have.
TEST(WindowsFileSystem, PathsLongerThanMaxPathWork) {
    TempFolder temp;
    std::string folder = temp.Path();
    while (folder.size() < 400) {
        folder += "\\A rather long folder name for a sample library " + std::to_string(folder.size());
        ASSERT_TRUE(CreateFolder(folder)) << folder.size();
    }
    const std::string program = folder + "\\Kit.xpm";
    ASSERT_EQ(ReplaceFileContent(program, "first").status, WriteResult::Status::Written);
    ASSERT_EQ(ReplaceFileContent(program, "second").status, WriteResult::Status::Written);
    EXPECT_EQ(ReadWholeFile(program).value_or(""), "second");
    EXPECT_EQ(StatusOf(program).size, 6u);
    EXPECT_TRUE(IdentityOf(folder).has_value());
    EXPECT_TRUE(CopyFileNoReplace(program, folder + "\\Copy.xpm"));
    EXPECT_FALSE(CopyFileNoReplace(program, folder + "\\Copy.xpm"));
    EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"Copy.xpm", "Kit.xpm"}));
    auto stream = OpenForReading(folder + "\\Copy.xpm");
    ASSERT_NE(stream, nullptr);
    char bytes[6] = {};
    EXPECT_EQ(stream->Read(bytes, sizeof bytes), 6u);
    EXPECT_EQ(std::string(bytes, 6), "second");
}

TEST(WindowsFileSystem, NamesBeyondAsciiKeepTheirUtf8) {
    TempFolder temp;
    const std::string folder = temp.MakeFolder("Bibliothèque Ünïcødé 音色");
    ASSERT_EQ(ReplaceFileContent(folder + "\\Kick Äß.xpm", "kick").status, WriteResult::Status::Written);
    EXPECT_TRUE(CopyFileNoReplace(folder + "\\Kick Äß.xpm", folder + "\\Kick Äß copy.xpm"));
    EXPECT_EQ(NamesIn(temp.Path()), std::vector<std::string>{"Bibliothèque Ünïcødé 音色"});
    EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"Kick Äß copy.xpm", "Kick Äß.xpm"}));
    EXPECT_EQ(ReadFileBytes(folder + "\\Kick Äß copy.xpm"), "kick");
    EXPECT_EQ(NativeNamesIn(folder),
              (std::set<std::wstring>{L"Kick \u00c4\u00df copy.xpm", L"Kick \u00c4\u00df.xpm"}));
}

// Text that is not UTF-8 names no file: it is not repaired into the name of some other one.
TEST(WindowsFileSystem, PathTextThatIsNotUtf8NamesNothing) {
    TempFolder temp;
    const std::string broken = temp.PathOf("Kick \xC4.wav");
    EXPECT_EQ(ReplaceFileContent(broken, "x").status, WriteResult::Status::NotCreated);
    EXPECT_FALSE(CreateFolder(broken));
    EXPECT_FALSE(StatusOf(broken).exists);
    EXPECT_TRUE(NamesIn(temp.Path()).empty());
}

// A device would block a read or never end; a name such as NUL or CON leads to one.
TEST(WindowsFileSystem, DevicesAreNeitherReadNorCopied) {
    TempFolder temp;
    for (const std::string& device : {std::string("NUL"), temp.PathOf("CON")}) {
        EXPECT_FALSE(ReadWholeFile(device).has_value()) << device;
        EXPECT_EQ(OpenForReading(device), nullptr) << device;
        EXPECT_FALSE(CopyFileNoReplace(device, temp.PathOf("Copy.wav"))) << device;
    }
    EXPECT_TRUE(NamesIn(temp.Path()).empty());
}

// The run rewrites a loop it is still reading, and a player may hold a program open; Windows refuses to
// rename over an open file, yet the replace must still happen, and leave nothing else behind.
TEST(WindowsFileSystem, ReplacesAFileThatAReaderHoldsOpen) {
    TempFolder temp;
    const std::string loop = temp.WriteFile("Beat.wav", "old loop");
    auto reader = OpenForReading(loop);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(ReplaceFileContent(loop, "new loop").status, WriteResult::Status::Written);
    char bytes[8] = {};
    EXPECT_EQ(reader->Read(bytes, sizeof bytes), 8u);
    EXPECT_EQ(std::string(bytes, 8), "old loop");
    EXPECT_EQ(ReadFileBytes(loop), "new loop");
    reader.reset();
    EXPECT_EQ(NativeNamesIn(temp.Path()), std::set<std::wstring>{L"Beat.wav"});
}

// A copy gets plain attributes, as every file written here does; a program the user marked read-only
// is not replaced, and the failure is told.
TEST(WindowsFileSystem, ReadOnlyFilesAreNotCopiedReadOnlyNorReplaced) {
    TempFolder temp;
    const std::string sample = temp.WriteFile("Kick.wav", "kick");
    const fs::path native(ToNativePath(sample));
    fs::permissions(native, fs::perms::owner_write, fs::perm_options::remove);
    ASSERT_TRUE(CopyFileNoReplace(sample, temp.PathOf("Copy.wav")));
    EXPECT_NE(fs::status(ToNativePath(temp.PathOf("Copy.wav"))).permissions() & fs::perms::owner_write,
              fs::perms::none);
    const WriteResult replaced = ReplaceFileContent(sample, "new");
    EXPECT_EQ(replaced.status, WriteResult::Status::Failed);
    EXPECT_FALSE(replaced.errorText.empty());
    EXPECT_EQ(ReadFileBytes(sample), "kick");
    EXPECT_EQ(NativeNamesIn(temp.Path()), (std::set<std::wstring>{L"Copy.wav", L"Kick.wav"}));
    fs::permissions(native, fs::perms::owner_write, fs::perm_options::add);
}

// A run killed between naming a temporary file and publishing it leaves the file behind; the next write
// into that folder removes it. Pid 2147483647 is no process; this test's own pid is a running writer.
TEST(WindowsFileSystem, TheNextWriteIntoAFolderRemovesWhatKilledWritersLeft) {
    TempFolder temp;
    const std::string gone = ".Kit.xpm.kvtmp-2147483647-0123456789abcdef";
    const std::string running =
        ".Kit.xpm.kvtmp-" + std::to_string(::GetCurrentProcessId()) + "-0123456789abcdef";
    const std::string notOurs = ".Kit.xpm.kvtmp-2147483647-0123456789abcdeg";
    for (const std::string& name : {gone, running, notOurs})
        temp.WriteFile("Programs/" + name, "half");
    EXPECT_EQ(ReplaceFileContent(temp.PathOf("Programs\\Kit.xpm"), "program").status,
              WriteResult::Status::Written);
    const auto wide = [](const std::string& name) { return std::wstring(name.begin(), name.end()); };
    EXPECT_EQ(NativeNamesIn(temp.PathOf("Programs")),
              (std::set<std::wstring>{wide(running), wide(notOurs), L"Kit.xpm"}));
}

}  // namespace
}  // namespace kitvane::platform
