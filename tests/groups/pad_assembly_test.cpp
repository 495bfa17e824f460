#include "groups/pad_assembly.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace kitvane {
namespace {

using Pad = std::array<std::string, 4>;

std::string Hihat(const char* velocity) {
    return std::string("Samples/Drums/Hihat/ClosedHH AR60sEarly V") + velocity + " 2.wav";
}

std::vector<Pad> Assembled(const std::vector<std::string>& references) {
    PadTable table;
    for (const auto& reference : references)
        table.AddRow(reference);
    AssemblePads(table);
    std::vector<Pad> pads;
    for (std::size_t i = 0; i < table.RowCount(); ++i) {
        pads.push_back({table.layer1[i], table.layer2[i], table.layer3[i], table.layer4[i]});
    }
    return pads;
}

TEST(VelocityMarker, DigitsAfterTheFirstBlankVFromPositionTwo) {
    const struct {
        const char* path;
        const char* marker;
    } cases[] = {
        {"ab V24.wav", "24"},
        {"a V24.wav", ""},
        {" V24.wav", ""},
        {"Kick V024 2.wav", "024"},
        {"Samples/One Shots Vox V24.wav", ""},  // the first " V" is followed by "o"
        {"Kick V", ""},
        {"Kick V7", "7"},
        {"Kick v24.wav", ""},
        {"Kick V12x34 V56.wav", "12"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VelocityMarker(c.path), c.marker) << c.path;
}

struct AssemblyCase {
    const char* what;
    std::vector<std::string> references;
    std::vector<Pad> pads;
};

TEST(AssemblePads, MergesConsecutiveLayersIntoBandsThenOrdersThem) {
    const std::string snare = "Samples/Drums/Snare/Snare AR50sAutumn V24.wav";
    const std::string sideStick = "Samples/Drums/Snare/SideStick AR50sAutumn V24.wav";
    const std::vector<AssemblyCase> cases = {
        {"eight hi-hats ascending",
         {Hihat("24"), Hihat("40"), Hihat("54"), Hihat("65"), Hihat("72"), Hihat("77"), Hihat("87"),
          Hihat("98")},
         {{Hihat("24"), Hihat("54"), Hihat("87"), Hihat("98")}}},
        {"eight hi-hats descending",
         {Hihat("98"), Hihat("87"), Hihat("77"), Hihat("72"), Hihat("65"), Hihat("54"), Hihat("40"),
          Hihat("24")},
         {{Hihat("24"), Hihat("40"), Hihat("65"), ""}}},
        {"two layers fill the first two slots",
         {"d/Tom V24.wav", "d/Tom V70.wav"},
         {{"d/Tom V24.wav", "d/Tom V70.wav", "", ""}}},
        {"unmarked row between layers neither splits nor moves",
         {"d/Kick V20.wav", "d/Clap.wav", "d/Kick V50.wav", "d/Kick V99.wav"},
         {{"d/Kick V20.wav", "d/Kick V50.wav", "d/Kick V99.wav", ""}, {"d/Clap.wav", "", "", ""}}},
        {"a lone marker above 127 stays in the first slot",
         {"d/Kick V10.wav", "d/Kick V20.wav", "d/Snare V200.wav"},
         {{"d/Kick V20.wav", "", "", ""}, {"d/Snare V200.wav", "", "", ""}}},
        {"marker 130 after 24 moves up behind it",
         {"d/Tom V24.wav", "d/Tom V130.wav"},
         {{"d/Tom V24.wav", "d/Tom V130.wav", "", ""}}},
        {"marker 127 after 64 moves up behind it",
         {"d/Snare V64.wav", "d/Snare V127.wav"},
         {{"d/Snare V64.wav", "d/Snare V127.wav", "", ""}}},
        {"markers above 127 keep their order among themselves",
         {"d/Tom V300.wav", "d/Tom V40.wav", "d/Tom V200.wav"},
         {{"d/Tom V40.wav", "d/Tom V300.wav", "d/Tom V200.wav", ""}}},
        {"marker 0 sits in band 1 but orders as 127",
         {"d/Tom V0.wav", "d/Tom V40.wav"},
         {{"d/Tom V40.wav", "d/Tom V0.wav", "", ""}}},
        {"leading zeros belong to the marker",
         {"d/HH V024.wav", "d/HH V070.wav"},
         {{"d/HH V024.wav", "d/HH V070.wav", "", ""}}},
        {"a marker too long for any integer",
         {"d/HH V10.wav", "d/HH V99999999999999999999999.wav"},
         {{"d/HH V10.wav", "d/HH V99999999999999999999999.wav", "", ""}}},
        {"the snare's first layer is stored as the side stick",
         {snare, "Samples/Drums/Snare/Snare AR50sAutumn V90.wav"},
         {{sideStick, "Samples/Drums/Snare/Snare AR50sAutumn V90.wav", "", ""}}},
        {"different keys, nothing merged, only the snare renamed",
         {"d/Kick V10.wav", snare, "d/Tom V20.wav", "Samples/One Shots Vox V24.wav", "d/Kick V10.wav"},
         {{"d/Kick V10.wav", "", "", ""},
          {sideStick, "", "", ""},
          {"d/Tom V20.wav", "", "", ""},
          {"Samples/One Shots Vox V24.wav", "", "", ""},
          {"d/Kick V10.wav", "", "", ""}}},
        {"no rows", {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Assembled(c.references), c.pads) << c.what;
}

}  // namespace
}  // namespace kitvane
