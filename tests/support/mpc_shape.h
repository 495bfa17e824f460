#pragma once
// The shape of the programs that MPC software 2.11 to 3.4 exports, element by element, written down from
// the facts of real exports and apart from the templates, so that a program of ours can be held
// against it: every element of a program, an instrument and a layer, in export order, with the value an
// empty export has wherever the conversion does not fill one in.
#include <string>
#include <vector>

#include "tests/support/xml_check.h"

namespace kitvane::testing {

// Every way in which a program document departs from the export shape, one line each, naming where
// ("Instrument 3, Layer 2: ..."): a missing, extra or misplaced element, a wrong attribute or a value
// other than the exports'. Empty when the program has the shape.
std::vector<std::string> ExportShapeDepartures(const XmlElement& root);

// Every way in which a program would not play its samples as the library meant: a velocity from 0 to
// 127 at which an instrument that holds a sample plays nothing; in a keygroup program, a layer that
// holds a sample without its zone's root note, or an empty layer whose root is not 0.
std::vector<std::string> PlayDepartures(const XmlElement& root);

}  // namespace kitvane::testing
