#pragma once
// A synthetic library in the Maschine Expansion layout, made of generated sounds, to try the conversion
// on and to benchmark it. Nothing of it comes from any real library.
#include <string>

namespace kitvane::cli {

// Writes the demo library into folder (path text), which becomes the library root. scale (1 or more)
// multiplies the groups, instruments and loops, and lengthens every sample. False when a file could
// not be written.
bool WriteDemoLibrary(const std::string& folder, int scale);

// Writes a library shaped like a real expansion into folder, for benchmarks: about 2,300 files and
// 1 GiB, mostly short drum one-shots in 48 kits, 40 instruments and 200 tempo-named loops. False when a
// file could not be written.
bool WriteRealShapedLibrary(const std::string& folder);

}  // namespace kitvane::cli
