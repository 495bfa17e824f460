#pragma once
// Note names in sample file names, and note numbers shown as names. A note number is
// 12 * octave + semitone + accidental + 25, so C3 is 61; 0 means no note.
#include <string>
#include <vector>

namespace kitvane {

// Searches subject for the leftmost match of pattern (ECMAScript, case-sensitive). Returns 1 and
// appends the whole match and then every group (empty text for a group that took no part); returns 0
// when there is no match and -1 when the pattern is invalid, leaving captures untouched in both cases.
int RegexCaptures(const std::string& subject, const std::string& pattern, std::vector<std::string>& captures);

// The note number that a sample's file name carries (" C3", "_F#1", "-Bb2", " 60", "C-1"), or 0 when it
// carries none or the note lies below C-2. Only "\" separates folders; the extension is ignored.
int NoteNumberFromName(const std::string& path);

// The note name of a note number, with sharps ("C3", "A#-1"); empty text below -14.
std::string NoteNameFromNumber(int noteNumber);

}  // namespace kitvane
