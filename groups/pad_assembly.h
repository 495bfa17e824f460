#pragma once
// Pads from sample references: consecutive references that differ only in their velocity marker
// (" V24", " V98") become the velocity layers of one pad.
#include <string>

#include "groups/pad_table.h"

namespace kitvane {

// The digits that directly follow the first " V" of the path, when that " V" begins at position 2 or
// later; empty when there are none.
std::string VelocityMarker(const std::string& path);

// Rewrites a table filled by ReadGroupFile into one row per pad, slot k holding velocity band k (markers
// up to 32, 64, 96, and above), the layers of each pad then ordered by marker number (0 and anything
// above 127 counting as 127) with the empty slots last. Never fails.
void AssemblePads(PadTable& table);

}  // namespace kitvane
