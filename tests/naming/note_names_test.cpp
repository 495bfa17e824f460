#include "naming/note_names.h"

#include <gtest/gtest.h>

namespace kitvane {
namespace {

TEST(NoteNumberFromName, ReadsNoteNamesAndNumbersWithThePatternsInOrder) {
    struct Case {
        const char* path;
        int expected;
    };
    const Case cases[] = {
        {"Piano C3.wav", 61},
        {"Bass_F#1.wav", 43},
        {"Strings-Bb2.wav", 59},  // upper-cased, the B after the letter is a flat
        {"Organ C#b3.wav", 61},   // "#B" cancels out
        {"Pad 60.wav", 60},       // no note after the space: the number decides
        {"Pad 130.wav", 13},      // three digits must begin with 10, 11 or 12
        {"Pad 129.wav", 129},
        {"KeysC-1.wav", 13},        // the pattern without a separator
        {"Choir C10.wav", 145},     // "10" is preferred to "1"
        {"Lead A 4.wav", 4},        // no octave after " A", so the number after the space
        {"Kick 120 BPM.wav", 120},  // " B" is followed by P
        {"Bell CB-2.wav", 0},       // the formula gives 0
        {"Low C-2.wav", 1},
        {"High G8.wav", 128},
        {"Kit_A1_C3.wav", 46},           // the leftmost match decides
        {"Brass 12 C3.wav", 61},         // a note name wins over an earlier number
        {"Synth\\Pad 60\\Lead.wav", 0},  // the folders are not part of the name
        {"Synth/Pad 60/Lead.wav", 60},   // only "\" separates folders
        {"Piano C3.wav.bak", 61},        // only the last extension is dropped
        {"Piano C3", 61},
        {"Noise.wav", 0},
        {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NoteNumberFromName(c.path), c.expected) << c.path;
}

TEST(NoteNameFromNumber, NamesNotesWithSharpsAndNothingBelowMinusFourteen) {
    const std::pair<int, const char*> cases[] = {
        {0, "B-3"}, {1, "C-2"}, {12, "B-2"}, {13, "C-1"}, {24, "B-1"},  {26, "C#0"},
        {61, "C3"}, {58, "A2"}, {59, "A#2"}, {128, "G8"}, {-14, "A-4"}, {-15, ""},
    };
    for (const auto& [number, name] : cases)
        EXPECT_EQ(NoteNameFromNumber(number), name) << number;
}

TEST(NoteNames, EveryNameOfAParsableOctaveReadsBackAsItsNumber) {
    int checked = 0;
    for (int n = -14; n <= 200; ++n) {
        const std::string name = NoteNameFromNumber(n);
        const int octave = std::stoi(name.substr(name.find_first_of("-0123456789")));
        if (octave < -2 || octave > 10)
            continue;
        EXPECT_EQ(NoteNumberFromName("Lead " + name + ".wav"), n) << name;
        ++checked;
    }
    EXPECT_EQ(checked, 156);  // C-2 (1) to B10 (156)
}

TEST(RegexCaptures, AppendsTheMatchAndEveryGroupOrLeavesTheListAlone) {
    std::vector<std::string> captures = {"kept"};
    EXPECT_EQ(RegexCaptures("Bass F1 soft", "( )([A-G])(#?)([0-9])", captures), 1);
    EXPECT_EQ(captures, (std::vector<std::string>{"kept", " F1", " ", "F", "", "1"}));

    captures.clear();
    EXPECT_EQ(RegexCaptures("ab", "(x)|(b)", captures), 1);  // a group outside the match is empty text
    EXPECT_EQ(captures, (std::vector<std::string>{"b", "", "b"}));

    EXPECT_EQ(RegexCaptures("abc", "x", captures), 0);
    EXPECT_EQ(RegexCaptures("abc", "(unclosed", captures), -1);
    EXPECT_EQ(RegexCaptures("abc", "[", captures), -1);
    EXPECT_EQ(captures, (std::vector<std::string>{"b", "", "b"}));
}

TEST(RegexCaptures, SearchesCaseSensitivelyAndPrefersTheFirstAlternative) {
    std::vector<std::string> captures;
    EXPECT_EQ(RegexCaptures("c10", "C", captures), 0);
    EXPECT_EQ(RegexCaptures("C10", "(10|[0-9])", captures), 1);
    EXPECT_EQ(captures, (std::vector<std::string>{"10", "10"}));
}

}  // namespace
}  // namespace kitvane
