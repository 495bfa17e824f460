// kitvane-cli: converts a Maschine Expansion library into MPC programs from the command line.
#include <atomic>
#include <csignal>
#include <iostream>

#include <unistd.h>

#include "cli/command_line.h"

namespace {

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int) { interrupted.store(true); }

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return kitvane::cli::RunCommandLine(arguments, {std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1, &interrupted});
}
