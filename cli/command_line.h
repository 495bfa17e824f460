#pragma once
// The command-line front end, callable in-process so tests can inject arguments and streams.
#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

namespace kitvane::cli {

// Exit statuses of kitvane-cli.
enum ExitStatus : int {
    kFinished = 0,
    kUsageError = 1,
    kRefused = 2,
    kEndedByMissingTemplate = 3,
    kInterrupted = 130,
};

// Runs one command line (without the program name). interrupted, when given, is the close request.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const std::atomic<bool>* interrupted = nullptr);

}  // namespace kitvane::cli
