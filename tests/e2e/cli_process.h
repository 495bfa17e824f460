#pragma once
// The built kitvane-cli as a child process that a test can stop at a chosen point (after some lines of
// its log, after some time, or once a file exists) with SIGKILL or another signal, or run under a
// file-size limit; and the whole file tree
// below a folder, to compare what runs leave on disk. POSIX only.
#include <signal.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kitvane::testing {

struct CliControl {
    std::optional<int> killAfterLines = {};  // SIGKILL once this many lines of standard output have come
    std::optional<std::chrono::microseconds> killAfterTime = {};  // SIGKILL this long after the start
    std::optional<std::string> killOnceExists = {};               // SIGKILL once this native path exists
    int killSignal = SIGKILL;                                     // sent in place of SIGKILL
    std::optional<std::uint64_t> fileSizeLimit = {};              // RLIMIT_FSIZE of the child, in bytes
};

struct CliResult {
    int status = -1;      // the exit status, or -1 when the process was killed
    bool killed = false;  // ended by SIGKILL (or another signal)
    std::string out;
    std::string err;
};

// Runs KITVANE_CLI with the arguments (native paths) until it ends or control stops it.
CliResult RunCliProcess(const std::vector<std::string>& arguments, const CliControl& control = {});

// Every entry below a native folder, by path relative to it: "file " + the bytes, "folder", "link " +
// the target, or "other" (pipes, devices). Links are not followed.
using FileTree = std::map<std::string, std::string>;
FileTree TreeBelow(const std::string& nativeFolder);

// The relative paths of the first tree that the second lacks or holds differently, and of the second
// that the first lacks: empty when the trees are equal.
std::vector<std::string> TreeDifferences(const FileTree& expected, const FileTree& actual);

}  // namespace kitvane::testing
