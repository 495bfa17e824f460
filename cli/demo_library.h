#pragma once
// A synthetic library in the Maschine Expansion layout, made of generated sounds, to try the conversion
// on and to benchmark it. Nothing of it comes from any real library.
#include <cstdint>
#include <functional>
#include <string>

namespace kitvane::cli {

// Which demo library: the demo multiplied by scale (1 or more), which multiplies the groups, instruments
// and loops and lengthens every sample, so that the size grows as scale²; or, for benchmarks, one with
// the proportions of a real expansion (about 2,300 files and 1 GiB: 48 kits of 16 pads of short
// one-shots, a quarter of the pads with four velocity layers, 40 instruments of 12 to 24 notes and 200
// tempo-named loops), whatever the scale.
struct DemoShape {
    int scale = 1;
    bool realExpansion = false;
};

// The bytes of all the files that the demo library of this shape holds.
std::uint64_t DemoLibrarySize(const DemoShape& shape);

enum class DemoOutcome { Written, Failed, Stopped };

// Asked between blocks of the files with the bytes written so far (so it can show progress too); true
// stops the writing.
using StopCheck = std::function<bool(std::uint64_t bytesWritten)>;

// Writes the demo library into folder (path text), which becomes the library root, asking stopRequested
// as it goes. Failed when a file could not be written. Unless Written, every file and folder that this
// call made is removed again (files that were there before are kept), so nothing half-written is left.
DemoOutcome WriteDemoLibrary(const std::string& folder, const DemoShape& shape,
                             const StopCheck& stopRequested = {});

// Writes a library shaped like a real expansion into folder, for benchmarks: about 2,300 files and
// 1 GiB, mostly short drum one-shots in 48 kits, 40 instruments and 200 tempo-named loops. False when a
// file could not be written.
bool WriteRealShapedLibrary(const std::string& folder);

}  // namespace kitvane::cli
