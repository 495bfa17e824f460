// Any text as a sample path: the note number lies in the range the patterns can give, and a note name
// formed from it reads back as the same number.
#include "fuzz/fuzz_support.h"
#include "naming/note_names.h"

namespace {

// B10 is the highest note whose octave a name can carry; B#10 (157) is the highest number a name gives.
constexpr int kHighestNamedNote = 156;
constexpr int kHighestNumber = 157;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kitvane;
    const int note = NoteNumberFromName(fuzzing::BytesOf(data, size));
    fuzzing::Require(note >= 0 && note <= kHighestNumber);
    if (note >= 1 && note <= kHighestNamedNote)
        fuzzing::Require(NoteNumberFromName("Sample " + NoteNameFromNumber(note)) == note);
    return 0;
}
