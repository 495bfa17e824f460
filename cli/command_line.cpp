#include "cli/command_line.h"

#include <cstdio>
#include <iterator>
#include <optional>
#include <ostream>

#include "app/session.h"
#include "app/version.h"
#include "batch/process_all.h"
#include "cli/command_options.h"
#include "cli/console_services.h"
#include "cli/demo_library.h"
#include "convert/path_operations.h"
#include "library/enumeration.h"
#include "library/library_loader.h"
#include "naming/selection_views.h"
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
    "  kitvane-cli make-demo FOLDER [--scale N | --shape real]\n"
    "                                                 write a synthetic demo library into FOLDER (--shape\n"
    "                                                 real: one of a real expansion's shape, 1 GiB)\n"
    "  kitvane-cli --help | --version\n"
    "\n"
    "convert options (defaults as the window has them at first start):\n"
    "  --no-drum-kits --no-loops --no-keygroups --no-bpm --kit-folder --no-library-subfolder\n"
    "  --library-name NAME  --kit-volume 100|90|80|75  --keygroup-volume 100|90|80|75\n"
    "  --release short|medium|long  --templates DIR  --verbose  --trace-wav\n"
    "\n"
    "Exit status: 0 finished, 1 usage error, 2 refused, 3 ended by a missing keygroup template,\n"
    "130 interrupted.\n";

const std::vector<std::string> kVolumes{"100", "90", "80", "75"};
const std::vector<std::string> kReleases{"short", "medium", "long"};

// A folder named on the command line, as path text: absolute, without one trailing "\" (as a folder
// picker gives it), so the library name can be derived from its last component.
std::string FolderArgument(const std::string& argument) {
    if (argument.empty())
        return argument;
    std::string path = platform::AbsolutePath(platform::FromNativePath(argument));
    if (path.size() > 1 && path.back() == '\\')
        path.pop_back();
    return path;
}

// A fresh session, as the window has it at start-up.
Session NewSession() {
    Session session;
    session.TemplateFolder = platform::ExecutableFolder();
    return session;
}

// Loads the library named on the command line, as a drop would; false when it has no group folder.
bool LoadForCommand(Session& session, ConsoleServices& console, const std::string& libraryArgument) {
    LoadLibrary(session, console, FolderArgument(libraryArgument));
    return PathExists(session.library.GroupsFolder);
}

int ListCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const CommandArguments parsed(arguments, {"--instruments"}, {});
    const auto& positional = parsed.Positional(1, "LIBRARY");
    Session session = NewSession();
    ConsoleServices console(out, err);
    if (!LoadForCommand(session, console, positional[0]))
        return kRefused;
    if (parsed.Has("--instruments")) {
        session.library.ShowInstruments = 1;
        FillLibraryList(session, console);
    }
    out << console.KitsCaption() << "\n" << console.InstrumentsCaption() << "\n";
    for (const auto& row : console.MainRows())
        out << platform::ForDisplay(row) << "\n";
    return kFinished;
}

// Selects a main-list row (and a waves-list row) as a click would, then prints what the window shows.
int ShowCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const CommandArguments parsed(arguments, {}, {"--kit", "--instrument", "--wave"});
    const auto& positional = parsed.Positional(1, "LIBRARY and --kit ROW or --instrument ROW");
    const auto kit = parsed.Number("--kit", 0, 1 << 30);
    const auto instrument = parsed.Number("--instrument", 0, 1 << 30);
    if (kit.has_value() == instrument.has_value())
        throw UsageError{"show takes one of --kit ROW and --instrument ROW"};
    const auto wave = parsed.Number("--wave", 0, 1 << 30);

    Session session = NewSession();
    ConsoleServices console(out, err);
    if (!LoadForCommand(session, console, positional[0]))
        return kRefused;
    if (instrument) {
        session.library.ShowInstruments = 1;
        FillLibraryList(session, console);
    }
    console.SelectMainRow(kit.value_or(instrument.value_or(0)));
    OnGroupSelected(session, console);
    if (wave) {
        console.SelectWavesRow(*wave);
        OnWaveSelected(session, console);
    }
    for (const auto& row : console.WavesRows())
        out << platform::ForDisplay(row) << "\n";
    out << "status: " << platform::ForDisplay(console.Status()) << "\n";
    return kFinished;
}

void ApplyConvertOptions(const CommandArguments& parsed, Session& session) {
    ConversionOptions& options = session.options;
    options.BuildKit = !parsed.Has("--no-drum-kits");
    options.CopyLoops = !parsed.Has("--no-loops");
    options.CreateKeygroups = !parsed.Has("--no-keygroups");
    options.AddBPM = !parsed.Has("--no-bpm");
    options.KitFolder = parsed.Has("--kit-folder");
    options.KitVolume = parsed.Choice("--kit-volume", kVolumes).value_or(options.KitVolume);
    options.KeygroupVolume = parsed.Choice("--keygroup-volume", kVolumes).value_or(options.KeygroupVolume);
    options.NoteRelease = parsed.Choice("--release", kReleases).value_or(options.NoteRelease);
    session.library.AddLibrarySubfolder = !parsed.Has("--no-library-subfolder");
}

int ExitStatusOf(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Finished:
            return kFinished;
        case RunOutcome::Refused:
            return kRefused;
        case RunOutcome::Stopped:
            return kInterrupted;
        case RunOutcome::EndedByMissingTemplate:
            return kEndedByMissingTemplate;
    }
    return kFinished;
}

int ConvertCommand(const std::vector<std::string>& arguments, const Terminal& terminal) {
    const CommandArguments parsed(
        arguments,
        {"--no-drum-kits", "--no-loops", "--no-keygroups", "--no-bpm", "--kit-folder",
         "--no-library-subfolder", "--verbose", "--trace-wav"},
        {"--library-name", "--kit-volume", "--keygroup-volume", "--release", "--templates"});
    const auto& positional = parsed.Positional(2, "LIBRARY and OUTPUT");
    Session session = NewSession();
    ApplyConvertOptions(parsed, session);
    if (const auto templates = parsed.Value("--templates"))
        session.TemplateFolder = FolderArgument(*templates);
    ConsoleServices console(terminal.out, terminal.err);
    console.SetVerbose(parsed.Has("--verbose"));
    console.SetTrace(parsed.Has("--trace-wav"));
    console.SetInterruptFlag(terminal.interrupted);
    if (!LoadForCommand(session, console, positional[0]))
        return kRefused;
    session.library.OutputFolder = FolderArgument(positional[1]);
    if (const auto name = parsed.Value("--library-name"))
        session.library.LibraryName = *name;

    console.SetEchoMainRows(true);
    console.SetShowProgress(terminal.errIsTerminal);
    const RunOutcome outcome = ProcessAll(session, console);
    console.FinishProgress();
    if (terminal.interrupted != nullptr && terminal.interrupted->load())
        return kInterrupted;
    return ExitStatusOf(outcome);
}

// A size in bytes as people read it: "512 bytes", "2.0 MiB", "1.8 TiB".
std::string SizeText(std::uint64_t bytes) {
    if (bytes < 1024)
        return std::to_string(bytes) + " bytes";
    constexpr const char* kUnits[] = {"KiB", "MiB", "GiB", "TiB", "PiB"};
    double size = static_cast<double>(bytes) / 1024;
    std::size_t unit = 0;
    for (; size >= 1024 && unit + 1 < std::size(kUnits); ++unit)
        size /= 1024;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", size, kUnits[unit]);
    return text;
}

// How far a demo library has been written, on standard error when it is a terminal: "37% of 7.6 MiB",
// redrawn as the percentage moves, and cleared at the end.
class DemoProgress {
public:
    DemoProgress(const Terminal& terminal, std::uint64_t size)
        : err_(terminal.err), shown_(terminal.errIsTerminal), size_(size) {}

    void Show(std::uint64_t written) {
        const int percent = size_ == 0 ? 100 : static_cast<int>(written * 100 / size_);
        if (!shown_ || percent == percent_)
            return;
        percent_ = percent;
        err_ << "\r" << percent << "% of " << SizeText(size_) << std::flush;
    }

    void Finish() {
        if (percent_ >= 0)
            err_ << "\r\033[K" << std::flush;
    }

private:
    std::ostream& err_;
    bool shown_;
    std::uint64_t size_;
    int percent_ = -1;
};

// "at scale 3", or "of a real expansion's shape".
std::string DescriptionOf(const DemoShape& shape) {
    return shape.realExpansion ? "of a real expansion's shape" : "at scale " + std::to_string(shape.scale);
}

int MakeDemoCommand(const std::vector<std::string>& arguments, const Terminal& terminal) {
    const CommandArguments parsed(arguments, {}, {"--scale", "--shape"});
    const auto& positional = parsed.Positional(1, "FOLDER");
    const DemoShape shape{parsed.Number("--scale", 1, 1000).value_or(1),
                          parsed.Choice("--shape", {"demo", "real"}).value_or(0) == 1};
    if (shape.realExpansion && parsed.Has("--scale"))
        throw UsageError{"--scale and --shape real can't be combined"};
    const std::string folder = FolderArgument(positional[0]);
    const std::string shownFolder = platform::ForDisplay(folder);
    const std::uint64_t size = DemoLibrarySize(shape);
    const std::optional<std::uint64_t> freeSpace = terminal.freeSpaceAt(folder);
    if (freeSpace && size > *freeSpace) {
        terminal.err << "kitvane-cli: the demo library " << DescriptionOf(shape) << " takes "
                     << SizeText(size) << ", more than the " << SizeText(*freeSpace)
                     << " free on the disk of " << shownFolder << "\n";
        return kRefused;
    }
    terminal.out << "Writing the demo library (" << SizeText(size) << ") into " << shownFolder << std::endl;
    DemoProgress progress(terminal, size);
    const DemoOutcome outcome = WriteDemoLibrary(folder, shape, [&](std::uint64_t written) {
        progress.Show(written);
        return terminal.interrupted != nullptr && terminal.interrupted->load();
    });
    progress.Finish();
    switch (outcome) {
        case DemoOutcome::Written:
            terminal.out << "Demo library written to " << shownFolder << "\n";
            return kFinished;
        case DemoOutcome::Stopped:
            terminal.err << "kitvane-cli: interrupted; the unfinished demo library was removed\n";
            return kInterrupted;
        case DemoOutcome::Failed:
            break;
    }
    terminal.err << "kitvane-cli: could not write the demo library into " << shownFolder
                 << "; what was written of it was removed\n";
    return kRefused;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, const Terminal& terminal) {
    try {
        if (arguments.empty())
            throw UsageError{"no command given"};
        const std::string& command = arguments[0];
        if (command == "--help" || command == "-h") {
            terminal.out << kUsage;
            return kFinished;
        }
        if (command == "--version") {
            terminal.out << "kitvane-cli " KITVANE_VERSION "\n";
            return kFinished;
        }
        if (command == "list")
            return ListCommand(arguments, terminal.out, terminal.err);
        if (command == "show")
            return ShowCommand(arguments, terminal.out, terminal.err);
        if (command == "convert")
            return ConvertCommand(arguments, terminal);
        if (command == "make-demo")
            return MakeDemoCommand(arguments, terminal);
        throw UsageError{"unknown command '" + command + "'"};
    } catch (const UsageError& error) {
        terminal.err << "kitvane-cli: " << error.text << "\n" << kUsage;
        return kUsageError;
    }
}

}  // namespace kitvane::cli
