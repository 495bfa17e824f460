#include "naming/instrument_ordering.h"

#include <utility>

#include "naming/note_names.h"

namespace kitvane {
namespace {

void AssignRootNotes(InstrumentEntry& entry) {
    for (std::size_t i = 0; i < entry.SampleCount(); ++i) {
        const int note = NoteNumberFromName(entry.SamplePaths[i]);
        if (note <= 0)
            continue;  // a sample without a note keeps its values
        entry.RootNotes[i] = entry.LowNotes[i] = entry.HighNotes[i] = static_cast<unsigned>(note);
    }
}

// A stable exchange sort by root note. Each exchange resets the range of both positions to the root
// they now carry; layer lists stay where they are.
void SortByRootNote(InstrumentEntry& entry) {
    const std::size_t count = entry.SampleCount();
    for (std::size_t pass = 1; pass < count; ++pass) {
        bool exchanged = false;
        for (std::size_t j = 1; j < count; ++j) {
            if (entry.RootNotes[j] >= entry.RootNotes[j - 1])
                continue;
            std::swap(entry.SamplePaths[j], entry.SamplePaths[j - 1]);
            std::swap(entry.RootNotes[j], entry.RootNotes[j - 1]);
            for (const std::size_t at : {j - 1, j})
                entry.LowNotes[at] = entry.HighNotes[at] = entry.RootNotes[at];
            exchanged = true;
        }
        if (!exchanged)
            break;  // later passes would exchange nothing either
    }
}

// Every sample whose root equals the one before it becomes a layer of the first sample of that root.
void FoldEqualRoots(InstrumentEntry& entry) {
    std::vector<bool> folded(entry.SampleCount(), false);
    std::size_t owner = 0;
    for (std::size_t i = 0; i < entry.SampleCount(); ++i) {
        if (i > 0 && entry.RootNotes[i] == entry.RootNotes[owner]) {
            entry.Layers[owner].push_back(std::move(entry.SamplePaths[i]));
            folded[i] = true;
        } else {
            owner = i;
        }
    }
    for (std::size_t i = entry.SampleCount(); i-- > 0;) {
        if (folded[i])
            entry.RemoveSample(i);
    }
}

// Neighbours meet halfway between their roots. A root of 0 marks a sample without a note, and no
// boundary is drawn after it; the keyboard's ends go to the first and last sample.
void AssignKeyRanges(InstrumentEntry& entry) {
    unsigned previousRoot = 0;
    for (std::size_t l = 0; l < entry.SampleCount(); ++l) {
        if (previousRoot != 0) {
            const unsigned middle = (previousRoot + entry.RootNotes[l]) / 2;
            entry.HighNotes[l - 1] = middle;
            entry.LowNotes[l] = middle + 1;
        }
        previousRoot = entry.RootNotes[l];
    }
    entry.LowNotes.front() = 0;
    entry.HighNotes.back() = 127;
}

}  // namespace

void OrderInstrumentSamples(std::vector<InstrumentEntry>& instrumentList, int instrumentIndex) {
    if (instrumentIndex < 0 || static_cast<std::size_t>(instrumentIndex) >= instrumentList.size())
        return;
    InstrumentEntry& entry = instrumentList[static_cast<std::size_t>(instrumentIndex)];
    if (entry.SampleCount() == 0)
        return;
    AssignRootNotes(entry);
    SortByRootNote(entry);
    FoldEqualRoots(entry);
    AssignKeyRanges(entry);
}

}  // namespace kitvane
