#pragma once
// Finding what a library holds: group files below the group folder, WAV samples below a folder, and
// the instruments they form; and filling the main list with one of the two.
#include <string>
#include <vector>

#include "app/session.h"
#include "app/window_services.h"

namespace kitvane {

// Appends every ".mxgrp" file below root + "\" + prefix, depth first in listing order, as paths
// relative to root. A folder link that leads back into a folder being searched is not followed.
void FindGroupFiles(const std::string& root, const std::string& prefix, std::vector<std::string>& target);
// The same search for ".wav" files.
void FindWavFiles(std::vector<std::string>& target, const std::string& root, const std::string& prefix);

// Rebuilds InstrumentList from LibraryPath + "\Samples\Instruments".
void EnumerateInstruments(LibraryModel& library, WindowServices& ui);
// Files one sample under the first entry of that name, or under a new entry at the end.
void AddInstrumentSample(LibraryModel& library, const std::string& name, const std::string& category,
                         const std::string& samplePath);

// The main list's row for an instrument: "Category - Name [n wavs]".
std::string InstrumentRowText(const InstrumentEntry& entry);
// Refills the main list from GroupList or InstrumentList, as ShowInstruments says.
void FillLibraryList(Session& session, WindowServices& ui);

}  // namespace kitvane
