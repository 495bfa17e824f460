#include "convert/pad_colors.h"

#include <gtest/gtest.h>

namespace kitvane {
namespace {

TEST(PadColors, LastMatchingKeywordRowDecides) {
    const struct {
        const char* fileName;
        int color;
    } cases[] = {
        {"Kick 808.wav", 8323072},
        {"KICK.WAV", 8323072},
        {"Clap Tight.wav", 8355584},
        {"ClosedHH 3.wav", 8336128},
        {"Cowbell.wav", 1134440},
        {"Kick Loop 01.wav", 21777},
        {"Tom Perc.wav", 8959},
        {"Snare Drums 2.wav", 21777},
        {"BassDrum.wav", 32512},
        {"Arp Lead.wav", 32512},
        {"Synth Arp.wav", 32512},
        {"Arp.wav", 127},  // "arp " needs its blank
        {"Bottom Hit.wav", 8959},
        {"Custom.wav", 8959},
        {"Override.wav", 8336128},
        {"Riser Sweep.wav", 7803204},
        {"Hit 1.wav", 127},
        {"\xc3\x84KICK\xc3\x9c.wav", 8323072},  // bytes beyond ASCII stay and don't hide a keyword
        {"", 127},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PadColorOf(c.fileName), c.color) << c.fileName;
}

}  // namespace
}  // namespace kitvane
