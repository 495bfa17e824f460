#include "library/name_text.h"

namespace kitvane {

std::string TrimBlanks(const std::string& text) {
    const char* const blanks = " \t\r\n\v\f";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string RemoveAll(std::string text, const std::string& word) {
    if (word.empty())
        return text;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at))
        text.erase(at, word.size());
    return text;
}

std::string UpperCasedAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string LowerCasedAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace kitvane
