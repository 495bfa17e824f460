#include "convert/pad_colors.h"

#include <initializer_list>

#include "library/name_text.h"

namespace kitvane {
namespace {

struct KeywordRow {
    std::initializer_list<const char*> keywords;
    int color;
};

constexpr int kNoKeywordColor = 127;

// In the order they are applied: a later row that matches wins over an earlier one.
const KeywordRow kKeywordRows[] = {
    {{"kick"}, 8323072},
    {{"snare", "clap"}, 8355584},
    {{"ride", "hihat", "openhh", "closedhh", "cymbal", "crash"}, 8336128},
    {{"perc", "shaker", "triangle", "click", "tamb", "cowbell", "woodblock"}, 1134440},
    {{"tom", "conga", "bongo"}, 8959},
    {{"loop", "drums"}, 21777},
    {{"synth", "bass", "noise", "arp "}, 32512},
    {{"sfx", "sweep"}, 7803204},
};

}  // namespace

int PadColorOf(const std::string& fileName) {
    const std::string lowered = LowerCasedAscii(fileName);
    int color = kNoKeywordColor;
    for (const auto& row : kKeywordRows) {
        for (const char* keyword : row.keywords) {
            if (lowered.find(keyword) != std::string::npos)
                color = row.color;
        }
    }
    return color;
}

}  // namespace kitvane
