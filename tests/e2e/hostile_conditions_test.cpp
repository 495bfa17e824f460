// Conversions under conditions a producer's machine really meets: a damaged library, an output folder
// that is a file or read-only, a disk that fills up during the run, and a library whose group files
// point outside it. The run goes on and reports what it reports on a good day, every file it writes is
// whole, and nothing outside the output is touched.
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/path_text.h"
#include "tests/e2e/cli_process.h"
#include "tests/support/temp_folder.h"

namespace kitvane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::CliControl;
using testing::CliResult;
using testing::FileTree;
using testing::RunCliProcess;
using testing::TreeBelow;
using testing::TreeDifferences;

// Longer than any conversion of the demo takes; a run still going then has hung.
constexpr auto kHangLimit = 60s;

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Without(std::vector<std::string> lines, bool (*drop)(const std::string&)) {
    lines.erase(std::remove_if(lines.begin(), lines.end(), drop), lines.end());
    return lines;
}

void WriteNative(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A tmpfs of the given size mounted for one test, where the machine lets the test mount one.
class SmallDisk {
public:
    SmallDisk(const std::string& folder, const std::string& size) : folder_(folder) {
        fs::create_directories(folder);
        mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    ~SmallDisk() {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    bool MakeReadOnly() {
        return mounted_ && ::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string folder_;
    bool mounted_ = false;
};

class HostileConditions : public ::testing::Test {
protected:
    // One good conversion of the demo library, to compare every damaged run with.
    static void SetUpTestSuite() {
        shared = new Shared;
        const std::string library = MakeDemo(shared->temp, "Reference");
        const CliResult run = RunCliProcess({"convert", library, Native(shared->temp, "Reference/Out")});
        ASSERT_EQ(run.status, 0) << run.err;
        shared->log = LinesOf(run.out);
        shared->tree = TreeBelow(Native(shared->temp, "Reference/Out"));
    }
    static void TearDownTestSuite() { delete shared; }

    static std::string Native(const testing::TempFolder& folder, const std::string& relative) {
        return platform::ToNativePath(folder.PathOf(relative));
    }
    static std::string MakeDemo(const testing::TempFolder& folder, const std::string& where) {
        const std::string library =
            Native(folder, where.empty() ? "Kitvane Demo Library" : where + "/Kitvane Demo Library");
        EXPECT_EQ(RunCliProcess({"make-demo", library}).status, 0);
        return library;
    }

    std::string Library() const { return Native(temp, "Kitvane Demo Library"); }
    std::string Output() const { return Native(temp, "Out"); }
    void SetUp() override { MakeDemo(temp, ""); }

    CliResult Convert(const std::vector<std::string>& options = {},
                      const CliControl& control = {.killAfterTime = kHangLimit}) {
        std::vector<std::string> arguments{"convert", Library(), Output()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        CliResult run = RunCliProcess(arguments, control);
        EXPECT_FALSE(run.killed) << "the run hung";
        return run;
    }

    struct Shared {
        testing::TempFolder temp;
        std::vector<std::string> log;
        FileTree tree;
    };
    static Shared* shared;
    testing::TempFolder temp;
};

HostileConditions::Shared* HostileConditions::shared = nullptr;

// Entries that can't be read, even by root: a pipe, a link to a device, a dangling link, a folder where
// a sample should be. Each is passed over like a missing sample; the rest converts as on a good day.
TEST_F(HostileConditions, UnreadableEntriesOfTheLibraryArePassedOver) {
    const std::string library = Library();
    const auto replace = [&](const std::string& relative, auto&& make) {
        fs::remove(library + "/" + relative);
        make(library + "/" + relative);
    };
    const auto pipe = [](const std::string& path) { ::mkfifo(path.c_str(), 0644); };
    replace("Samples/Drums/Kick/Kick Round.wav", pipe);
    replace("Samples/Drums/Snare/Snare Crisp.wav",
            [](const std::string& path) { fs::create_directory(path); });
    replace("Samples/Loops/Drums/Beat 01 [120].wav", pipe);
    replace("Samples/Instruments/Bass/Sub Bass/Sub_C1.wav", pipe);
    fs::create_symlink("/dev/zero", library + "/Groups/Zero.mxgrp");
    fs::create_symlink(library + "/Groups/Gone.mxgrp", library + "/Groups/Dangling.mxgrp");
    fs::create_directories(library + "/Samples/Loops/Folder.wav");
    const FileTree libraryBefore = TreeBelow(library);

    const CliResult run = Convert();

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::vector<std::string> log = shared->log;
    log.insert(std::find(log.begin(), log.end(), "Internal Sounds.mxgrp"), "Dangling.mxgrp");
    log.insert(std::find(log.begin(), log.end(), "****Loops****"), "Zero.mxgrp");
    // A tempo loop that can't be read can't be tagged, and its line says so.
    *std::find(log.begin(), log.end(), "Beat 01 [120].wav > 120 BPM") = "Beat 01 [120].wav NO BMP";
    EXPECT_EQ(LinesOf(run.out), log);
    EXPECT_EQ(
        TreeDifferences(shared->tree, TreeBelow(Output())),
        (std::vector<std::string>{
            "differs: Kitvane Demo/Keygroups/Bass/Sub Bass.xpm",
            "missing: Kitvane Demo/Keygroups/Bass/Sub_C1.wav", "differs: Kitvane Demo/Kits/Basic Kit.xpm",
            "missing: Kitvane Demo/Kits/Kick Round.wav", "missing: Kitvane Demo/Kits/Snare Crisp.wav",
            "missing: Kitvane Demo/Loops/Drums/Beat 01 [120].wav"}));
    EXPECT_EQ(TreeDifferences(libraryBefore, TreeBelow(library)), std::vector<std::string>{});
}

// Permissions hold only for a user other than root, who reads whatever they say; the cases above make
// entries unreadable for root too.
TEST_F(HostileConditions, FilesAndFoldersWithoutReadPermissionArePassedOver) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads files and folders whatever their permissions";
    fs::permissions(Library() + "/Samples/Drums/Kick/Kick Round.wav", fs::perms::none);
    fs::permissions(Library() + "/Samples/Instruments/Bass", fs::perms::none);

    const CliResult run = Convert();

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(LinesOf(run.out),
              Without(shared->log, [](const std::string& line) { return line == "Keygroup: Sub Bass"; }));
    const FileTree output = TreeBelow(Output());
    EXPECT_FALSE(output.contains("Kitvane Demo/Kits/Kick Round.wav"));
    EXPECT_FALSE(output.contains("Kitvane Demo/Keygroups/Bass"));
    fs::permissions(Library() + "/Samples/Instruments/Bass", fs::perms::owner_all);
}

// A file where the layout has a folder: that part of the library simply holds nothing.
struct ShapeCase {
    const char* name;
    const char* fileInsteadOfFolder;
    bool (*droppedLine)(const std::string& line);
};

void PrintTo(const ShapeCase& shape, std::ostream* out) {
    *out << shape.name;
}

class FileWhereAFolderIsExpected : public HostileConditions,
                                   public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(FileWhereAFolderIsExpected, ThatPartHoldsNothingAndTheRunFinishes) {
    const std::string folder = Library() + "/" + GetParam().fileInsteadOfFolder;
    fs::remove_all(folder);
    WriteNative(folder, "a file, not a folder");

    const CliResult run = Convert();

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(LinesOf(run.out), Without(shared->log, GetParam().droppedLine));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, FileWhereAFolderIsExpected,
    ::testing::Values(ShapeCase{"Groups", "Groups",
                                [](const std::string& line) { return line.ends_with(".mxgrp"); }},
                      ShapeCase{"Loops", "Samples/Loops",
                                [](const std::string& line) {
                                    return line.ends_with(" BPM") || line.ends_with(" NO BMP");
                                }},
                      ShapeCase{"Instruments", "Samples/Instruments",
                                [](const std::string& line) { return line.starts_with("Keygroup: "); }},
                      ShapeCase{"KitSubfolder", "Groups/Vintage",
                                [](const std::string& line) { return line.starts_with("Vintage/"); }}),
    [](const ::testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.name); });

// Nothing can be written below a file: the run is refused instead of finishing with nothing written,
// and the file stays as it was.
TEST_F(HostileConditions, AnOutputFolderThatIsAFileIsLeftAlone) {
    WriteNative(Output(), "my notes");
    const FileTree before = TreeBelow(platform::ToNativePath(temp.Path()));

    const CliResult run = Convert();

    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.err, "Can't write into the output folder\n" + Output() + "/Kitvane Demo\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(TreeDifferences(before, TreeBelow(platform::ToNativePath(temp.Path()))),
              std::vector<std::string>{});
}

// A rerun into an output that has become read-only: no file can be made there, so the run is refused
// and what the first run wrote stays exactly as it was.
TEST_F(HostileConditions, AReadOnlyOutputKeepsWhatItHolds) {
    SmallDisk disk(Output(), "64m");
    ASSERT_EQ(Convert().status, 0);
    const FileTree before = TreeBelow(Output());
    if (::geteuid() == 0) {
        if (!disk.MakeReadOnly())
            GTEST_SKIP() << "root ignores permissions, and this machine allows no mount";
    } else {
        for (const auto& entry : fs::recursive_directory_iterator(Output())) {
            if (entry.is_directory())
                fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::remove);
        }
        fs::permissions(Output(), fs::perms::owner_write, fs::perm_options::remove);
    }

    const CliResult run = Convert({"--kit-volume", "75", "--keygroup-volume", "80"});

    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_EQ(run.err, "Can't write into the output folder\n" + Output() + "/Kitvane Demo\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(TreeDifferences(before, TreeBelow(Output())), std::vector<std::string>{});
    if (::geteuid() != 0) {
        for (const auto& entry : fs::recursive_directory_iterator(Output())) {
            if (entry.is_directory())
                fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
        }
        fs::permissions(Output(), fs::perms::owner_write, fs::perm_options::add);
    }
}

// The disk fills up part-way: a 2 MB tmpfs where the machine allows mounting one, otherwise a limit on
// the size of every file the run writes. Each program that can't be written is reported in the file-error
// box; samples that can't be copied are passed over; the run finishes; whatever is on disk is whole.
TEST_F(HostileConditions, ADiskThatFillsUpDuringTheRun) {
    SmallDisk disk(Output(), "2m");
    CliControl control{.killAfterTime = kHangLimit};
    if (!disk.Mounted())
        control.fileSizeLimit = 500 * 1024;
    const FileTree libraryBefore = TreeBelow(Library());

    const CliResult run = Convert({}, control);

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(LinesOf(run.out), shared->log);
    const std::string root = Output() + "/Kitvane Demo/";
    std::set<std::string> reported;
    for (const std::string& line : LinesOf(run.err)) {
        const std::string prefix = "File error: An error occurred while writing " + root;
        ASSERT_TRUE(line.starts_with(prefix)) << line;
        reported.insert(line.substr(prefix.size(), line.find(": ", prefix.size()) - prefix.size()));
    }
    std::set<std::string> missingPrograms;
    std::size_t written = 0;
    for (const std::string& difference : TreeDifferences(shared->tree, TreeBelow(Output()))) {
        ASSERT_TRUE(difference.starts_with("missing: ")) << difference;  // nothing differs, nothing extra
        const std::string path = difference.substr(std::string("missing: Kitvane Demo/").size());
        if (path.ends_with(".xpm"))
            missingPrograms.insert(path);
    }
    for (const auto& [path, content] : TreeBelow(Output()))
        written += content.starts_with("file ");
    EXPECT_FALSE(missingPrograms.empty()) << "the disk never filled";
    EXPECT_GT(written, 0u);
    EXPECT_EQ(reported, missingPrograms);
    EXPECT_EQ(TreeDifferences(libraryBefore, TreeBelow(Library())), std::vector<std::string>{});
}

// Group files whose references are absolute or climb out of the library, and files whose names hold
// "\" (on POSIX a plain character, in path text a separator): nothing outside the library is read or
// copied, and nothing is written outside the output. The whole tree around the library is checked.
TEST_F(HostileConditions, NothingOutsideTheLibraryIsReadAndNothingOutsideTheOutputIsWritten) {
    const std::string around = platform::ToNativePath(temp.Path());
    // A WAV of 12345 frames whose bytes and frame count would show wherever it leaked.
    std::string secret = "RIFF";
    const auto le32 = [](std::uint32_t value) {
        return std::string{static_cast<char>(value), static_cast<char>(value >> 8),
                           static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
    };
    secret += le32(36 + 24690) + "WAVEfmt " + le32(16) + std::string("\1\0\1\0", 4) + le32(44100) +
              le32(88200) + std::string("\2\0\x10\0", 4) + "data" + le32(24690) + std::string(24690, 'S');
    WriteNative(around + "/Secret.wav", secret);
    const std::string library = Library();
    const std::string sep("\0\1\x9a\0", 4);
    WriteNative(library + "/Groups/Escape.mxgrp", sep + "Samples/../../Secret.wav" + sep +
                                                      "Samples/Drums/../../../Secret.wav" + sep + around +
                                                      "/Secret.wav" + sep + "..\\..\\Secret.wav" + sep +
                                                      "Samples/Drums/Kick/Kick Round.wav" + sep);
    WriteNative(library + "/Groups/..\\..\\..\\Evil.mxgrp", sep + "Samples/Drums/Kick/Kick Round.wav" + sep);
    WriteNative(library + "/Samples/Loops/..\\..\\..\\..\\Escape [120].wav", secret);
    WriteNative(library + "/Samples/Instruments/Piano/..\\..\\..\\..\\..\\Piano C3.wav", secret);
    const FileTree before = TreeBelow(around);

    const CliResult run = Convert();

    ASSERT_EQ(run.status, 0) << run.err;
    const FileTree after = TreeBelow(around);
    for (const std::string& difference : TreeDifferences(before, after)) {
        EXPECT_TRUE(difference == "extra: Out" || difference.starts_with("extra: Out/")) << difference;
    }
    std::size_t programs = 0;
    for (const auto& [path, content] : TreeBelow(Output())) {
        EXPECT_EQ(content.find(std::string(64, 'S')), std::string::npos)
            << path << " holds the secret's bytes";
        EXPECT_EQ(content.find("12345"), std::string::npos) << path << " names the secret's frame count";
        EXPECT_FALSE(path.ends_with("Secret.wav") || path.find("Evil") != std::string::npos ||
                     path.find("Escape [120]") != std::string::npos)
            << path;
        programs += path.ends_with(".xpm");
    }
    EXPECT_EQ(programs, 6u);  // the demo's five and Escape
    EXPECT_NE(after.find("Out/Kitvane Demo/Kits/Escape.xpm"), after.end());
}

}  // namespace
}  // namespace kitvane
