#include "naming/instrument_ordering.h"

#include <gtest/gtest.h>

namespace kitvane {
namespace {

// One sample after ordering: its path, root, range and layers.
struct Keygroup {
    std::string path;
    unsigned root, low, high;
    std::vector<std::string> layers;
    bool operator==(const Keygroup&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Keygroup& k) {
    out << k.path << " root " << k.root << " " << k.low << "-" << k.high << " layers";
    for (const auto& layer : k.layers)
        out << " [" << layer << "]";
    return out;
}

std::vector<Keygroup> KeygroupsOf(const InstrumentEntry& entry) {
    std::vector<Keygroup> keygroups;
    for (std::size_t i = 0; i < entry.SampleCount(); ++i) {
        keygroups.push_back({entry.SamplePaths[i], entry.RootNotes[i], entry.LowNotes[i], entry.HighNotes[i],
                             entry.Layers[i]});
    }
    return keygroups;
}

std::vector<InstrumentEntry> InstrumentOf(const std::vector<std::string>& samplePaths) {
    InstrumentEntry entry;
    entry.Name = "Piano";
    for (const auto& path : samplePaths)
        entry.AddSample(path);
    return {entry};
}

TEST(OrderInstrumentSamples, SortsFoldsAndSplitsTheKeyboard) {
    struct Case {
        const char* what;
        std::vector<std::string> found;
        std::vector<Keygroup> expected;
    };
    const Case cases[] = {
        {"notes in any order",
         {"Bass\\Bass C2.wav", "Bass\\Bass C1.wav", "Bass\\Bass F#1.wav"},
         {{"Bass\\Bass C1.wav", 37, 0, 40, {}},
          {"Bass\\Bass F#1.wav", 43, 41, 46, {}},
          {"Bass\\Bass C2.wav", 49, 47, 127, {}}}},
        {"equal roots become layers of the first, in the order found",
         {"Pno C3 a.wav", "Pno E3.wav", "Pno C3 b.wav", "Pno C3 c.wav"},
         {{"Pno C3 a.wav", 61, 0, 63, {"Pno C3 b.wav", "Pno C3 c.wav"}}, {"Pno E3.wav", 65, 64, 127, {}}}},
        {"no notes at all",
         {"Pad.wav", "Pad soft.wav", "Pad hard.wav"},
         {{"Pad.wav", 0, 0, 127, {"Pad soft.wav", "Pad hard.wav"}}}},
        {"a sample without a note sorts first and draws no boundary",
         {"Pad C4.wav", "Pad C3.wav", "Pad.wav"},
         {{"Pad.wav", 0, 0, 0, {}}, {"Pad C3.wav", 61, 61, 67, {}}, {"Pad C4.wav", 73, 68, 127, {}}}},
        {"a single sample", {"Bell G5.wav"}, {{"Bell G5.wav", 92, 0, 127, {}}}},
        {"roots above 127 keep the last high note at 127",
         {"Choir C10.wav", "Choir C9.wav"},
         {{"Choir C9.wav", 133, 0, 139, {}}, {"Choir C10.wav", 145, 140, 127, {}}}},
        {"neighbouring roots",
         {"Key 61.wav", "Key 60.wav"},
         {{"Key 60.wav", 60, 0, 60, {}}, {"Key 61.wav", 61, 61, 127, {}}}},
    };
    for (const Case& c : cases) {
        auto instruments = InstrumentOf(c.found);
        OrderInstrumentSamples(instruments, 0);
        EXPECT_EQ(KeygroupsOf(instruments[0]), c.expected) << c.what;

        OrderInstrumentSamples(instruments, 0);
        EXPECT_EQ(KeygroupsOf(instruments[0]), c.expected) << c.what << ", ordered twice";
    }
}

TEST(OrderInstrumentSamples, LeavesOtherEntriesAndBadIndexesAlone) {
    auto instruments = InstrumentOf({"Pno E3.wav", "Pno C3.wav"});
    instruments.push_back(instruments[0]);
    const auto untouched = KeygroupsOf(instruments[0]);

    OrderInstrumentSamples(instruments, -1);
    OrderInstrumentSamples(instruments, 2);
    OrderInstrumentSamples(instruments, 1);
    EXPECT_EQ(KeygroupsOf(instruments[0]), untouched);
    EXPECT_EQ(instruments[1].SamplePaths, (std::vector<std::string>{"Pno C3.wav", "Pno E3.wav"}));

    instruments.push_back(InstrumentEntry{});
    OrderInstrumentSamples(instruments, 2);  // an entry without samples
    EXPECT_EQ(instruments[2].SampleCount(), 0u);
}

}  // namespace
}  // namespace kitvane
