#include "batch/loop_stage.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#include "convert/path_operations.h"
#include "library/enumeration.h"
#include "platform/file_system.h"
#include "riff/riff_editor.h"

namespace kitvane {
namespace {

constexpr int kLowestTempo = 1;
constexpr int kHighestTempo = 299;

// Read as the standard text-to-integer conversion reads: leading white space, an optional sign, then
// digits up to the first non-digit; no digits give 0. Values beyond int are held at its limits.
int LeadingInteger(const std::string& text) {
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

// One loop: tagged when tempos are wanted and its path carries one, else copied without replacing.
void CopyLoop(WindowServices& ui, const std::string& sourceFolder, const std::string& destinationFolder,
              const std::string& relativePath, bool addBpm) {
    const std::string source = sourceFolder + "\\" + relativePath;
    const std::string destination = destinationFolder + "\\" + relativePath;
    if (!addBpm) {
        platform::CopyFileNoReplace(source, destination);
        return;
    }
    const int tempo = ParseLoopTempo(relativePath);
    const std::string fileName = FileNameOfPath(relativePath);
    // A loop that can't be tagged whole is kept as it stands, and its line says it carries no tempo. A
    // tagged copy that can't be saved (a full disk) is passed over like any other failed copy.
    const bool tagged =
        tempo >= kLowestTempo && tempo <= kHighestTempo &&
        WriteWithTempo(source, destination, static_cast<std::uint32_t>(tempo)) != TempoTagging::Refused;
    if (tagged) {
        ui.AppendLog(fileName + " > " + std::to_string(tempo) + " BPM");
    } else {
        platform::CopyFileNoReplace(source, destination);
        ui.AppendLog(fileName + " NO BMP");
    }
    ui.PumpMessages();
}

}  // namespace

StageOutcome RunLoopStage(WindowServices& ui, const std::string& libraryPath, const std::string& outputRoot,
                          bool addBpm) {
    const std::string sourceFolder = libraryPath + "\\Samples\\Loops";
    const std::string destinationFolder = outputRoot + "\\Loops";
    ui.AddMainRow("****Loops****");
    ui.SetStatus("Copying Loops....");
    CreateFolders(destinationFolder, PathKind::Folder);
    ui.AppendLog("\\Samples\\Loops\\*.* -> Loops\\*.*");
    ui.PumpMessages();

    std::vector<std::string> loops;
    FindWavFiles(loops, sourceFolder, "");
    ui.SetProgressRange(static_cast<int>(loops.size()));
    std::string folderMade;  // the listing gives a folder's loops one after another: each folder is made once
    for (std::size_t i = 0; i < loops.size(); ++i) {
        if (ui.StopRequested())
            return StageOutcome::EndedRun;
        ui.SetProgressPosition(static_cast<int>(i));
        const std::string folder = FolderOfPath(destinationFolder + "\\" + loops[i]);
        if (folder != folderMade) {
            CreateFolders(folder, PathKind::Folder);
            folderMade = folder;
        }
        CopyLoop(ui, sourceFolder, destinationFolder, loops[i], addBpm);
    }
    return StageOutcome::RanToEnd;
}

int ParseLoopTempo(const std::string& relativePath) {
    const auto open = relativePath.find('[');
    if (open == std::string::npos || open == 0)
        return 0;
    const std::string rest = relativePath.substr(open + 1);
    const auto close = rest.find(']');
    if (close == std::string::npos || close == 0)
        return 0;
    return LeadingInteger(rest.substr(0, close));
}

}  // namespace kitvane
