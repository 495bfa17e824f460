#include "naming/selection_views.h"

#include <cstddef>
#include <string>

#include "convert/path_operations.h"
#include "convert/program_template.h"
#include "groups/group_reader.h"
#include "groups/pad_assembly.h"
#include "library/name_text.h"
#include "naming/instrument_ordering.h"
#include "naming/note_names.h"

namespace kitvane {
namespace {

constexpr const char* kNoWaves = "There are no Waves. Kit is with Maschine internal sounds.";

bool ShowsInstruments(const Session& session) {
    return session.library.ShowInstruments == 1;
}

// The pads of the group file that a main-list row names; none when it can't be read.
PadTable PadsOfRow(const LibraryModel& library, const std::string& rowText) {
    PadTable pads;
    ReadGroupFile(library.GroupsFolder + "\\" + rowText, library.LibraryPath, pads);
    AssemblePads(pads);
    return pads;
}

// A group file that holds no sample references uses the host's internal sounds only.
bool HasOnlyInternalSounds(const std::string& rowText, const PadTable& pads) {
    return pads.RowCount() == 0 && EndsWith(rowText, ".mxgrp");
}

// The velocity markers of a pad's four layers, joined by ",".
std::string MarkersOf(const PadTable& pads, std::size_t pad) {
    return VelocityMarker(pads.layer1[pad]) + "," + VelocityMarker(pads.layer2[pad]) + "," +
           VelocityMarker(pads.layer3[pad]) + "," + VelocityMarker(pads.layer4[pad]);
}

// The text with the pad's velocity marker hidden: every "V" + the marker of its first layer becomes
// "V[..]"; with no marker, every "V" does.
std::string VelocityMasked(std::string text, const PadTable& pads, std::size_t pad) {
    ReplaceAll(text, "V" + VelocityMarker(pads.layer1[pad]), "V[..]");
    return text;
}

std::string NoteName(unsigned note) {
    return NoteNameFromNumber(static_cast<int>(note));
}

std::string KeygroupRow(const InstrumentEntry& entry, std::size_t k) {
    const std::size_t extraLayers = entry.Layers[k].size();
    const std::string details = "  (#" + std::to_string(entry.RootNotes[k]) +
                                ", Range: " + NoteName(entry.LowNotes[k]) + " - " +
                                NoteName(entry.HighNotes[k]) + ")";
    const std::string row = FileNameOfPath(entry.SamplePaths[k]) + details;
    return extraLayers == 0 ? row : "VEL [" + std::to_string(extraLayers + 1) + "] " + row;
}

std::string KeygroupStatus(const InstrumentEntry& entry, std::size_t k) {
    const std::size_t extraLayers = entry.Layers[k].size();
    const std::string details =
        " [Root: " + NoteName(entry.RootNotes[k]) + " (#" + std::to_string(entry.RootNotes[k]) +
        "), Range: " + NoteName(entry.LowNotes[k]) + " - " + NoteName(entry.HighNotes[k]) + "]";
    const std::string status = entry.SamplePaths[k] + details;
    return extraLayers == 0 ? status : "[" + std::to_string(extraLayers + 1) + " layers] " + status;
}

// The instrument at a main-list row, or none when the row lies beyond the list or holds no samples.
InstrumentEntry* InstrumentAt(LibraryModel& library, int row) {
    if (static_cast<std::size_t>(row) >= library.InstrumentList.size())
        return nullptr;
    InstrumentEntry& entry = library.InstrumentList[static_cast<std::size_t>(row)];
    return entry.SampleCount() == 0 ? nullptr : &entry;
}

std::string ListGroup(const LibraryModel& library, WindowServices& ui, int row) {
    const std::string rowText = ui.MainRowText(row);
    const PadTable pads = PadsOfRow(library, rowText);
    for (std::size_t pad = 0; pad < pads.RowCount(); ++pad)
        ui.AddWavesRow(PadRowText(pads, pad));
    if (HasOnlyInternalSounds(rowText, pads))
        ui.AddWavesRow(kNoWaves);
    const auto index = static_cast<std::size_t>(row);
    return index < library.GroupList.size() ? library.GroupsFolder + "\\" + library.GroupList[index] : "";
}

std::string ListInstrument(LibraryModel& library, WindowServices& ui, int row) {
    const InstrumentEntry* entry = InstrumentAt(library, row);
    if (entry == nullptr)
        return {};
    OrderInstrumentSamples(library.InstrumentList, row);  // in place: entry now holds the keygroups
    for (std::size_t k = 0; k < entry->SampleCount(); ++k)
        ui.AddWavesRow(KeygroupRow(*entry, k));
    return entry->Category + "/" + entry->Name + "/" + " [" + std::to_string(entry->SampleCount()) + " wavs]";
}

std::string PadStatus(const LibraryModel& library, const std::string& rowText, int wavesRow) {
    const PadTable pads = PadsOfRow(library, rowText);
    if (HasOnlyInternalSounds(rowText, pads))
        return kNoWaves;
    const auto pad = static_cast<std::size_t>(wavesRow);
    return pad < pads.RowCount() ? PadStatusText(pads, pad) : "";
}

}  // namespace

std::string PadRowText(const PadTable& pads, std::size_t pad) {
    const std::string& first = pads.layer1[pad];
    if (pads.layer2[pad].empty())
        return first;
    return "VEL:[" + MarkersOf(pads, pad) + "] " +
           VelocityMasked(first.substr(first.rfind('/') + 1), pads, pad);
}

std::string PadStatusText(const PadTable& pads, std::size_t pad) {
    if (pads.layer2[pad].empty())
        return pads.layer1[pad];
    return "Velocities: " + MarkersOf(pads, pad) + "  " + VelocityMasked(pads.layer1[pad], pads, pad);
}

void OnGroupSelected(Session& session, WindowServices& ui) {
    ui.ClearWavesList();
    const int row = ui.SelectedMainRow();
    if (row < 0)
        return;
    ui.SetStatus(ShowsInstruments(session) ? ListInstrument(session.library, ui, row)
                                           : ListGroup(session.library, ui, row));
}

void OnWaveSelected(Session& session, WindowServices& ui) {
    ui.CaptureControls();
    const int wavesRow = ui.SelectedWavesRow();
    const int mainRow = ui.SelectedMainRow();
    if (wavesRow < 0 || mainRow < 0)
        return;
    if (!ShowsInstruments(session)) {
        ui.SetStatus(PadStatus(session.library, ui.MainRowText(mainRow), wavesRow));
        return;
    }
    const InstrumentEntry* entry = InstrumentAt(session.library, mainRow);
    const bool inside = entry != nullptr && static_cast<std::size_t>(wavesRow) < entry->SampleCount();
    ui.SetStatus(inside ? KeygroupStatus(*entry, static_cast<std::size_t>(wavesRow)) : "");
}

}  // namespace kitvane
