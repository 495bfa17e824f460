#pragma once
// The keygroup stage of a run: every instrument becomes one keygroup program below \Keygroups.
#include <string>

#include "app/window_services.h"
#include "batch/stage_outcome.h"
#include "library/library_model.h"

namespace kitvane {

StageOutcome RunKeygroupStage(LibraryModel& library, WindowServices& ui, const std::string& libraryPath,
                              const std::string& outputRoot, const std::string& executableFolder,
                              int keygroupVolume, int noteRelease);

}  // namespace kitvane
