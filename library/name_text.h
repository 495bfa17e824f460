#pragma once
// Text rules shared by the library and instrument names.
#include <string>

namespace kitvane {

// White space removed at both ends; inner white space kept.
std::string TrimBlanks(const std::string& text);
// Every occurrence of word removed (exact, case-sensitive).
std::string RemoveAll(std::string text, const std::string& word);
// Only the ASCII letters change case; every other byte stays as it is.
std::string UpperCasedAscii(std::string text);
std::string LowerCasedAscii(std::string text);
bool EndsWith(const std::string& text, const std::string& suffix);

}  // namespace kitvane
