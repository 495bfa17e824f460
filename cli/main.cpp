// kitvane-cli: converts a Maschine Expansion library into MPC programs from the command line.
#include <atomic>
#include <csignal>
#include <iostream>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <io.h>
#include <shellapi.h>
#else
#include <unistd.h>
#endif

#include "cli/command_line.h"

namespace {

// Raised by Ctrl+C and the like; a run stops at its next chance and cleans up, then exits with 130.
std::atomic<bool> interrupted{false};

#ifdef _WIN32
// Every console event that a user means as "stop": Ctrl+C, Ctrl+Break, closing the console window,
// logging off and shutting down. After Ctrl+C and Ctrl+Break the process goes on, so the run stops by
// itself. After the others Windows ends the process as soon as the handler returns (or after a grace
// time: 5 seconds for a closed window), so the handler waits there while the run stops and removes
// what it half wrote; exiting then ends this thread with the rest.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
            interrupted.store(true);
            return TRUE;
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            interrupted.store(true);
            ::Sleep(INFINITE);
            return TRUE;
        default:
            return FALSE;
    }
}

void HandleStopRequests() {
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

// The arguments as UTF-8: argv holds them in the ANSI code page, which loses every other character.
std::vector<std::string> Arguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), length, nullptr, nullptr);
        text.pop_back();  // the terminating NUL
        arguments.push_back(text);
    }
    ::LocalFree(wide);
    return arguments;
}

// The console shows the UTF-8 we print, and the progress line's erase sequence.
bool PrepareConsole() {
    ::SetConsoleOutputCP(CP_UTF8);
    const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (!::_isatty(_fileno(stderr)) || !::GetConsoleMode(error, &mode))
        return false;
    return ::SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}
#else
extern "C" void OnInterrupt(int) {
    interrupted.store(true);
}

void HandleStopRequests() {
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
}

std::vector<std::string> Arguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

bool PrepareConsole() {
    return ::isatty(STDERR_FILENO) == 1;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    HandleStopRequests();
    const bool progressShown = PrepareConsole();
    return kitvane::cli::RunCommandLine(Arguments(argc, argv),
                                        {std::cout, std::cerr, progressShown, &interrupted});
}
