#pragma once
// Process All: one run converts the loaded library into drum programs, loops and keygroup programs
// below the output root, reporting through the window services.
#include "app/session.h"
#include "app/window_services.h"

namespace kitvane {

// How a run ended, for front ends that report it (the command line's exit status).
enum class RunOutcome {
    Finished,                // "****FINISHED****" and "All Done!"
    Refused,                 // no library folder or no output folder
    Stopped,                 // a stage saw a stop request
    EndedByMissingTemplate,  // a keygroup template is missing
};

RunOutcome ProcessAll(Session& session, WindowServices& ui);

}  // namespace kitvane
