#pragma once
// The command-line front end, callable in-process so tests can inject arguments and streams.
#include <atomic>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kitvane::cli {

// Exit statuses of kitvane-cli.
enum ExitStatus : int {
    kFinished = 0,
    kUsageError = 1,
    kRefused = 2,
    kEndedByMissingTemplate = 3,
    kInterrupted = 130,
};

// Where a command line runs: its output streams, whether standard error is a terminal (for the
// progress line), the interrupt that counts as the close request, and the free space of the disks.
struct Terminal {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;
    const std::atomic<bool>* interrupted = nullptr;
    std::function<std::optional<std::uint64_t>(const std::string& path)> freeSpaceAt = platform::FreeSpaceAt;
};

// Runs one command line (without the program name) and returns its exit status.
int RunCommandLine(const std::vector<std::string>& arguments, const Terminal& terminal);

}  // namespace kitvane::cli
