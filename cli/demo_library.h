#pragma once
// A synthetic library in the Maschine Expansion layout, made of generated sounds, to try the conversion
// on and to benchmark it. Nothing of it comes from any real library.
#include <string>

namespace kitvane::cli {

// Writes the demo library into folder (path text), which becomes the library root. scale (1 or more)
// multiplies the groups, instruments and loops, and lengthens every sample. False when a file could
// not be written.
bool WriteDemoLibrary(const std::string& folder, int scale);

}  // namespace kitvane::cli
