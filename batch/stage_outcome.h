#pragma once

namespace kitvane {

// How a stage of a run ended: it ran to its end, or it ended the whole run (a stop was requested,
// or a template it needs is missing).
enum class StageOutcome { RanToEnd, EndedRun };

}  // namespace kitvane
