#include "cli/command_line.h"

#include <ostream>

#include "app/session.h"
#include "cli/console_services.h"
#include "convert/path_operations.h"
#include "library/enumeration.h"
#include "library/library_loader.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace kitvane::cli {
namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  kitvane-cli convert LIBRARY OUTPUT [options]   load LIBRARY, then Process All into OUTPUT\n"
    "  kitvane-cli list LIBRARY [--instruments]       print the view captions and the library list\n"
    "  kitvane-cli show LIBRARY (--kit ROW | --instrument ROW) [--wave ROW]\n"
    "                                                 print the waves list and the status line of a row\n"
    "  kitvane-cli make-demo FOLDER [--scale N]       write a synthetic demo library\n"
    "  kitvane-cli --help | --version\n";

struct UsageError {
    std::string text;
};

// A fresh session, as the window has it at start-up.
Session NewSession() {
    Session session;
    session.TemplateFolder = platform::ExecutableFolder();
    return session;
}

// Loads the library named on the command line, as a drop would; false when it has no group folder.
bool LoadForCommand(Session& session, ConsoleServices& console, const std::string& libraryArgument) {
    LoadLibrary(session, console, platform::FromNativePath(libraryArgument));
    return PathExists(session.library.GroupsFolder);
}

int ListCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() < 2 || arguments.size() > 3 || (arguments.size() == 3 && arguments[2] != "--instruments")) {
        throw UsageError{"list takes LIBRARY and optionally --instruments"};
    }
    Session session = NewSession();
    ConsoleServices console(out, err);
    if (!LoadForCommand(session, console, arguments[1])) return kRefused;
    if (arguments.size() == 3) {
        session.library.ShowInstruments = 1;
        FillLibraryList(session, console);
    }
    out << console.KitsCaption() << "\n" << console.InstrumentsCaption() << "\n";
    for (const auto& row : console.MainRows()) out << platform::ForDisplay(row) << "\n";
    return kFinished;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const std::atomic<bool>* interrupted) {
    (void)interrupted;
    try {
        if (arguments.empty()) throw UsageError{"no command given"};
        const std::string& command = arguments[0];
        if (command == "--help" || command == "-h") {
            out << kUsage;
            return kFinished;
        }
        if (command == "--version") {
            out << "kitvane-cli 1.01\n";
            return kFinished;
        }
        if (command == "list") return ListCommand(arguments, out, err);
        throw UsageError{"unknown command '" + command + "'"};
    } catch (const UsageError& error) {
        err << "kitvane-cli: " << error.text << "\n" << kUsage;
        return kUsageError;
    }
}

}  // namespace kitvane::cli
