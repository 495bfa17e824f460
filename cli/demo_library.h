#pragma once
// A synthetic library in the Maschine Expansion layout, made of generated sounds, to try the conversion
// on and to benchmark it. Nothing of it comes from any real library.
#include <cstdint>
#include <functional>
#include <string>

namespace kitvane::cli {

// The bytes of all the files that the demo library at this scale holds. scale (1 or more) multiplies
// the groups, instruments and loops, and lengthens every sample, so the size grows as scale².
std::uint64_t DemoLibrarySize(int scale);

enum class DemoOutcome { Written, Failed, Stopped };

// Asked between blocks of the files with the bytes written so far (so it can show progress too); true
// stops the writing.
using StopCheck = std::function<bool(std::uint64_t bytesWritten)>;

// Writes the demo library into folder (path text), which becomes the library root, asking stopRequested
// as it goes. Failed when a file could not be written. Unless Written, every file and folder that this
// call made is removed again (files that were there before are kept), so nothing half-written is left.
DemoOutcome WriteDemoLibrary(const std::string& folder, int scale, const StopCheck& stopRequested = {});

}  // namespace kitvane::cli
