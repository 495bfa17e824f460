#include "tests/e2e/cli_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kitvane::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The child: its output into the pipes, the limit set, then the command line itself.
[[noreturn]] void StartChild(const std::vector<std::string>& arguments, const CliControl& control, int out,
                             int err) {
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    if (control.fileSizeLimit) {
        const rlimit limit{*control.fileSizeLimit, *control.fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG, as a full disk would
    }
    std::vector<char*> argv{const_cast<char*>(KITVANE_CLI)};
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(KITVANE_CLI, argv.data());
    ::_exit(127);
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

CliResult RunCliProcess(const std::vector<std::string>& arguments, const CliControl& control) {
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return {};
    const Clock::time_point start = Clock::now();
    const pid_t child = ::fork();
    if (child == 0)
        StartChild(arguments, control, out[1], err[1]);
    ::close(out[1]);
    ::close(err[1]);

    CliResult result;
    bool sentKill = false;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        timespec wait{1, 0};
        if (control.killAfterTime && !sentKill) {
            const auto left =
                std::max(Clock::duration::zero(), start + *control.killAfterTime - Clock::now());
            const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            wait = {static_cast<time_t>(nanoseconds / 1000000000),
                    static_cast<long>(nanoseconds % 1000000000)};
        }
        if (control.killOnceExists && !sentKill)
            wait = {0, 2000000};  // looks for the file every 2 ms
        ::ppoll(fds, 2, &wait, nullptr);
        for (auto& fd : fds) {
            if (fd.fd < 0 || fd.revents == 0)
                continue;
            char block[4096];
            const ssize_t got = ::read(fd.fd, block, sizeof block);
            if (got <= 0) {
                ::close(fd.fd);
                fd.fd = -1;
                --open;
                continue;
            }
            (fd.fd == out[0] ? result.out : result.err).append(block, static_cast<std::size_t>(got));
        }
        const bool linesReached = control.killAfterLines && std::count(result.out.begin(), result.out.end(),
                                                                       '\n') >= *control.killAfterLines;
        const bool timeReached = control.killAfterTime && Clock::now() - start >= *control.killAfterTime;
        const bool fileExists = control.killOnceExists && fs::exists(*control.killOnceExists);
        if (!sentKill && (linesReached || timeReached || fileExists)) {
            ::kill(child, control.killSignal);
            sentKill = true;
        }
    }
    int raw = 0;
    ::waitpid(child, &raw, 0);
    result.killed = WIFSIGNALED(raw);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

FileTree TreeBelow(const std::string& nativeFolder) {
    FileTree tree;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(nativeFolder, error);
         it != fs::recursive_directory_iterator(); it.increment(error)) {
        const std::string relative = fs::relative(it->path(), nativeFolder).generic_string();
        const fs::file_status status = it->symlink_status();
        if (fs::is_symlink(status)) {
            tree[relative] = "link " + fs::read_symlink(it->path()).string();
        } else if (fs::is_directory(status)) {
            tree[relative] = "folder";
        } else if (fs::is_regular_file(status)) {
            tree[relative] = "file " + ReadAll(it->path().string());
        } else {
            tree[relative] = "other";
        }
    }
    return tree;
}

std::vector<std::string> TreeDifferences(const FileTree& expected, const FileTree& actual) {
    std::vector<std::string> differences;
    for (const auto& [path, content] : expected) {
        const auto found = actual.find(path);
        if (found == actual.end()) {
            differences.push_back("missing: " + path);
        } else if (found->second != content) {
            differences.push_back("differs: " + path);
        }
    }
    for (const auto& [path, content] : actual) {
        if (!expected.contains(path))
            differences.push_back("extra: " + path);
    }
    return differences;
}

}  // namespace kitvane::testing
