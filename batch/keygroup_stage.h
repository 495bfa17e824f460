#pragma once
// The keygroup stage of a run: every instrument becomes one keygroup program below \Keygroups.
#include <string>

#include "app/window_services.h"
#include "batch/stage_outcome.h"
#include "library/library_model.h"
#include "riff/wave_parser.h"

namespace kitvane {

// Converts every instrument, ordered first, into a program below outputRoot + "\Keygroups", copying its
// samples and a preview beside it. Ends the run when a template is missing (after saying so) or when a
// stop is requested before an instrument or a keygroup; the instrument in progress is then not written.
StageOutcome RunKeygroupStage(LibraryModel& library, WindowServices& ui, const std::string& libraryPath,
                              const std::string& outputRoot, const std::string& executableFolder,
                              int keygroupVolume, int noteRelease);

// One sample of a keygroup: the name its program gives it and its frame count in decimal.
struct KeygroupSample {
    std::string name;
    std::string frameCount = "0";
};

// Copies sourceFolder + "\" + relativePath into keygroupFolder (which exists and ends with "\"), under
// the first free name or one that holds the same sound (PlaceSample), and measures the source. Failures
// pass silently: the name is still given, and the frame count of an unreadable sample is "0". The WAV
// reader's trace goes to trace.
KeygroupSample CopyKeygroupSample(const std::string& relativePath, const std::string& sourceFolder,
                                  const std::string& keygroupFolder, const TraceSink& trace = {});

}  // namespace kitvane
