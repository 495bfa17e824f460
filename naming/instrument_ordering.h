#pragma once
// Preparing an instrument for a keygroup program: its samples in order of root note, samples on the
// same note folded into velocity layers of the first of them, and the keyboard split between them.
#include <vector>

#include "library/library_model.h"

namespace kitvane {

// Orders the entry at instrumentIndex in place; an index outside the list, or an entry without
// samples, is left alone. Ordering an entry again changes nothing.
void OrderInstrumentSamples(std::vector<InstrumentEntry>& instrumentList, int instrumentIndex);

}  // namespace kitvane
