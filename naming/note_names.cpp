#include "naming/note_names.h"

#include <regex>

#include "library/name_text.h"

namespace kitvane {
namespace {

int Captures(const std::string& subject, const std::regex& pattern, std::vector<std::string>& captures) {
    std::smatch match;
    if (!std::regex_search(subject, match, pattern))
        return 0;
    for (const auto& group : match)
        captures.push_back(group.matched ? group.str() : std::string());
    return 1;
}

int Semitone(char letter) {
    static constexpr int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // A to G
    return kSemitones[letter - 'A'];
}

int Accidental(const std::string& text) {
    if (text == "#")
        return 1;
    if (text == "B")
        return -1;
    return 0;  // none, or "#B"
}

// Captures of a note pattern from the letter on: letter, accidental, octave.
int NoteNumber(const std::string& letter, const std::string& accidental, const std::string& octave) {
    const int number = 12 * std::stoi(octave) + Semitone(letter[0]) + Accidental(accidental) + 25;
    return number > 0 ? number : 0;
}

std::string UpperCaseName(const std::string& path) {
    std::string name = path.substr(path.find_last_of('\\') + 1);
    if (const auto dot = name.rfind('.'); dot != std::string::npos)
        name.erase(dot);
    return UpperCasedAscii(name);
}

// Integer division rounding toward minus infinity.
int FloorDivide(int a, int b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

}  // namespace

int RegexCaptures(const std::string& subject, const std::string& pattern,
                  std::vector<std::string>& captures) {
    std::regex compiled;
    try {
        compiled.assign(pattern, std::regex::ECMAScript);
    } catch (const std::regex_error&) {
        return -1;
    }
    return Captures(subject, compiled, captures);
}

int NoteNumberFromName(const std::string& path) {
    // A separator, a note letter, an optional accidental and an octave from -2 to 10; then a separated
    // number up to 129; then a note without a separator. The first pattern found decides.
    static const std::regex kSeparatedNote("([ ]|-|_)([A-G])(#?B?)(10|[0-9]|-1|-2)", std::regex::ECMAScript);
    static const std::regex kSeparatedNumber("([ ])(1[0-2][0-9]|[0-9][0-9]|[0-9])", std::regex::ECMAScript);
    static const std::regex kBareNote("([A-G])(#?B?)(10|[0-9]|-1|-2)", std::regex::ECMAScript);

    const std::string name = UpperCaseName(path);
    std::vector<std::string> groups;
    if (Captures(name, kSeparatedNote, groups) == 1)
        return NoteNumber(groups[2], groups[3], groups[4]);
    if (Captures(name, kSeparatedNumber, groups) == 1)
        return std::stoi(groups[2]);
    if (Captures(name, kBareNote, groups) == 1)
        return NoteNumber(groups[1], groups[2], groups[3]);
    return 0;
}

std::string NoteNameFromNumber(int noteNumber) {
    static const char* const kNames[] = {"A", "A#", "B", "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#"};
    if (noteNumber < -14)
        return {};
    const int letter = ((noteNumber - 34) % 12 + 12) % 12;
    const int octave = FloorDivide(noteNumber - 13, 12) - 1;
    return kNames[letter] + std::to_string(octave);
}

}  // namespace kitvane
