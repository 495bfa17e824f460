#include "groups/pad_assembly.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "groups/sample_path_corrections.h"

namespace kitvane {
namespace {

constexpr std::size_t kSlots = 4;
// Ordering counts an unmarked sample, a marker of 0 and a marker above the top velocity as the top
// velocity, and puts empty slots behind every sample, so that a pad's samples fill its slots from the
// first one up and each of them plays.
constexpr std::uint64_t kTopVelocity = 127;
constexpr std::uint64_t kEmptySlotOrder = kTopVelocity + 1;
// Marker numbers are compared, never printed: longer digit runs are all "very large".
constexpr std::uint64_t kMarkerCeiling = 1'000'000'000'000;

using Row = std::array<std::string, kSlots>;

std::uint64_t MarkerNumber(const std::string& marker) {
    std::uint64_t number = 0;
    for (const char digit : marker) {
        number = number * 10 + static_cast<std::uint64_t>(digit - '0');
        if (number > kMarkerCeiling)
            return kMarkerCeiling;
    }
    return number;
}

// The slot of a layer during grouping: band 1 up to 32, band 2 up to 64, band 3 up to 96, band 4 above.
std::size_t BandSlot(std::uint64_t markerNumber) {
    if (markerNumber <= 32)
        return 0;
    if (markerNumber <= 64)
        return 1;
    if (markerNumber <= 96)
        return 2;
    return 3;
}

// The path with every "V" + marker replaced by "VEL": layers of one pad share it.
std::string LayerKey(const std::string& path, const std::string& marker) {
    const std::string token = "V" + marker;
    std::string key;
    std::size_t from = 0;
    for (auto match = path.find(token); match != std::string::npos; match = path.find(token, from)) {
        key.append(path, from, match - from).append("VEL");
        from = match + token.size();
    }
    return key.append(path, from);
}

Row RowAt(const PadTable& table, std::size_t i) {
    return {table.layer1[i], table.layer2[i], table.layer3[i], table.layer4[i]};
}

void SetRow(PadTable& table, std::size_t i, Row row) {
    table.layer1[i] = std::move(row[0]);
    table.layer2[i] = std::move(row[1]);
    table.layer3[i] = std::move(row[2]);
    table.layer4[i] = std::move(row[3]);
}

// Phase 1: each marked reference either starts a pad (its layer key differs from the previous marked
// reference's) or joins the current pad in the slot of its band. Returns whether any reference joined.
bool GroupLayers(PadTable& table) {
    std::string previousKey;
    std::size_t currentPad = 0;
    bool merged = false;
    for (std::size_t i = 0; i < table.RowCount(); ++i) {
        const std::string reference = table.layer1[i];
        const std::string marker = VelocityMarker(reference);
        if (marker.empty())
            continue;
        std::string key = LayerKey(reference, marker);
        std::string stored = CorrectSamplePath(reference, CorrectionMode::Assembly, i, {}, false);
        if (key != previousKey) {
            currentPad = i;
            previousKey = std::move(key);
            SetRow(table, i, {std::move(stored), {}, {}, {}});
            continue;
        }
        SetRow(table, i, {});
        merged = true;
        Row pad = RowAt(table, currentPad);
        pad[BandSlot(MarkerNumber(marker))] = std::move(stored);
        SetRow(table, currentPad, std::move(pad));
    }
    return merged;
}

std::uint64_t OrderOf(const std::string& slot) {
    if (slot.empty())
        return kEmptySlotOrder;
    const std::uint64_t number = MarkerNumber(VelocityMarker(slot));
    return number == 0 || number > kTopVelocity ? kTopVelocity : number;
}

// Phase 3 for one row: three bubble passes by order number, equal numbers keeping their order.
Row OrderLayers(Row row) {
    std::array<std::uint64_t, kSlots> numbers{};
    for (std::size_t k = 0; k < kSlots; ++k)
        numbers[k] = OrderOf(row[k]);
    for (std::size_t pass = 0; pass + 1 < kSlots; ++pass) {
        for (std::size_t k = 0; k + 1 < kSlots; ++k) {
            if (numbers[k] > numbers[k + 1]) {
                std::swap(numbers[k], numbers[k + 1]);
                std::swap(row[k], row[k + 1]);
            }
        }
    }
    return row;
}

}  // namespace

std::string VelocityMarker(const std::string& path) {
    const auto space = path.find(" V");
    if (space == std::string::npos || space < 2)
        return {};
    const auto digits = space + 2;
    const auto end = path.find_first_not_of("0123456789", digits);
    return path.substr(digits, (end == std::string::npos ? path.size() : end) - digits);
}

void AssemblePads(PadTable& table) {
    if (!GroupLayers(table))
        return;
    // Phase 2: the merged rows, exactly those with an empty layer1, go; phase 3 orders what is left.
    PadTable pads;
    for (std::size_t i = 0; i < table.RowCount(); ++i) {
        if (table.layer1[i].empty())
            continue;
        auto [first, second, third, fourth] = OrderLayers(RowAt(table, i));
        pads.AddRow(std::move(first), std::move(second), std::move(third), std::move(fourth));
    }
    table = std::move(pads);
}

}  // namespace kitvane
