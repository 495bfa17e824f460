#pragma once
// The drum stage of a run: every group of the library becomes one drum program of 128 pads, with its
// samples copied beside it and its preview copied into [Previews].
#include <string>

#include "app/session.h"
#include "app/window_services.h"

namespace kitvane {

// Builds a program for each GroupList entry below outputRoot. Returns early when a template is
// missing (after its message) or when a stop is requested; it reports nothing else.
void BuildDrumPrograms(Session& session, WindowServices& ui, const std::string& outputRoot);

}  // namespace kitvane
