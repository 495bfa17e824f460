#pragma once
// Fixed corrections of sample references in known library kits, so that their velocity layers assemble
// into the pads they were meant to be.
#include <cstddef>
#include <string>

namespace kitvane {

enum class CorrectionMode { Reader, Assembly };

// Returns the corrected reference. Reader mode: the snare rule at index 10, then (with the kit flag) the
// hi-hat table, and when the result differs a no-replace copy of the sample to the corrected name inside
// libraryFolder; copy failures are ignored and nothing outside the library is read or written.
// Assembly mode: the reverse snare rule only; index, libraryFolder and kitFlag are ignored.
std::string CorrectSamplePath(const std::string& reference, CorrectionMode mode, std::size_t index,
                              const std::string& libraryFolder, bool kitFlag);

}  // namespace kitvane
