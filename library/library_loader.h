#pragma once
// A library folder entering the system: validation, the library model, the output root.
#include <string>

#include "app/session.h"
#include "app/window_services.h"

namespace kitvane {

// Loads the folder at path (a drop, a browse or a command-line argument) and lists it.
void LoadLibrary(Session& session, WindowServices& ui, const std::string& path);
// Finds \Groups (or else \Kits), fills GroupList and derives LibraryName; false, with the failure
// message shown, when neither exists.
bool ValidateLibrary(Session& session, WindowServices& ui);
// LibraryName from the last component of LibraryPath, without "Library", trimmed.
void DeriveLibraryName(LibraryModel& library);
// OutputFolder, then "\" + LibraryName when AddLibrarySubfolder is on.
std::string ComposeOutputRoot(const LibraryModel& library);
// The output info line: the output root as the user will find it, with a final "\".
std::string OutputInfoText(const LibraryModel& library);
void UpdateOutputInfo(const LibraryModel& library, WindowServices& ui);

}  // namespace kitvane
