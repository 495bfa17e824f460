#pragma once
// Pad colours: the kind of sound a pad plays, guessed from its first sample's file name.
#include <string>

namespace kitvane {

// The colour number of a pad whose first sample has this file name (no folders): the colour of the last
// matching keyword row, looked for in the lower-cased name; 127 when no keyword matches.
int PadColorOf(const std::string& fileName);

}  // namespace kitvane
