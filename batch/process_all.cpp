#include "batch/process_all.h"

#include "batch/keygroup_stage.h"
#include "batch/loop_stage.h"
#include "convert/drum_builder.h"
#include "convert/path_operations.h"
#include "library/library_loader.h"
#include "platform/byte_stream.h"

namespace kitvane {
namespace {

// Whether a file can be made in the folder: a trial file that is never published leaves no trace.
bool AcceptsFiles(const std::string& folder) {
    return platform::CreateOutputFile(folder + "\\.kitvane-write-test") != nullptr;
}

// A stage that ended the run did so for a stop request or, in the keygroup stage, a missing template.
RunOutcome EndedRun(WindowServices& ui) {
    if (ui.StopRequested())
        return RunOutcome::Stopped;
    ui.EnableControls(true);
    return RunOutcome::EndedByMissingTemplate;
}

}  // namespace

RunOutcome ProcessAll(Session& session, WindowServices& ui) {
    ui.CaptureControls();
    ui.ClearStopRequest();
    const LibraryModel& library = session.library;
    const ConversionOptions& options = session.options;
    if (library.LibraryPath.empty()) {
        ui.ShowMessage(
            "Please Drag and Drop Maschine Expansion library (a single Expansion) folder to this dialog");
        return RunOutcome::Refused;
    }
    if (library.OutputFolder.empty()) {
        ui.ShowMessage("Please set the output folder first");
        return RunOutcome::Refused;
    }
    const std::string outputRoot = ComposeOutputRoot(library);
    CreateFolders(outputRoot, PathKind::Folder);
    // A run that could write nothing would still end with "All Done!"; say instead that it can't start.
    if (!AcceptsFiles(outputRoot)) {
        ui.ShowMessage("Can't write into the output folder\r\n" + outputRoot);
        return RunOutcome::Refused;
    }
    ui.EnableControls(false);

    if (options.BuildKit) {
        ui.SetStatus("Creating Drum Kits...");
        BuildDrumPrograms(session, ui, outputRoot);
    }
    const std::string& executableFolder = session.TemplateFolder;
    if (options.CopyLoops && PathExists(library.LibraryPath + "\\Samples\\Loops")) {
        if (RunLoopStage(ui, library.LibraryPath, outputRoot, options.AddBPM != 0) ==
            StageOutcome::EndedRun) {
            return EndedRun(ui);
        }
    }
    if (options.CreateKeygroups) {
        if (RunKeygroupStage(session.library, ui, library.LibraryPath, outputRoot, executableFolder,
                             options.KeygroupVolume, options.NoteRelease) == StageOutcome::EndedRun) {
            return EndedRun(ui);
        }
    }

    ui.EnableControls(true);
    ui.SetProgressPosition(0);
    ui.AppendLog("****FINISHED****");
    ui.SetStatus("All Done!");
    session.ListShowsLog = true;
    return RunOutcome::Finished;
}

}  // namespace kitvane
