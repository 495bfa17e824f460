#pragma once
// The loop stage of a run: \Samples\Loops is copied to \Loops below the output root, each loop whose
// name carries a tempo written with a tempo chunk when AddBPM is on.
#include <string>

#include "app/window_services.h"
#include "batch/stage_outcome.h"

namespace kitvane {

StageOutcome RunLoopStage(WindowServices& ui, const std::string& libraryPath, const std::string& outputRoot,
                          bool addBpm);
// The number in the first "[...]" of a relative loop path, or 0.
int ParseLoopTempo(const std::string& relativePath);

}  // namespace kitvane
