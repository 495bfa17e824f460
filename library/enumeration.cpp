#include "library/enumeration.h"

#include "convert/path_operations.h"
#include "library/name_text.h"
#include "platform/file_system.h"

namespace kitvane {
namespace {

// The recursive search behind FindGroupFiles and FindWavFiles. ancestors holds the folders the search
// is inside, so that a link back into one of them is passed over instead of searched forever.
void FindFiles(const std::string& root, const std::string& prefix, const std::string& extension,
               std::vector<std::string>& target, std::vector<platform::FolderIdentity>& ancestors) {
    const std::string relativeFolder = prefix.empty() ? std::string() : prefix + "\\";
    const std::string folder = root + "\\" + relativeFolder;
    const auto identity = platform::IdentityOf(folder);
    if (identity) {
        for (const auto& ancestor : ancestors) {
            if (ancestor == *identity)
                return;
        }
        ancestors.push_back(*identity);
    }
    for (const auto& entry : platform::ListDirectory(folder)) {
        if (entry.isDirectory) {
            FindFiles(root, relativeFolder + entry.name, extension, target, ancestors);
        } else if (entry.name.size() > extension.size() && EndsWith(entry.name, extension)) {
            target.push_back(relativeFolder + entry.name);
        }
    }
    if (identity)
        ancestors.pop_back();
}

void FindFiles(const std::string& root, const std::string& prefix, const std::string& extension,
               std::vector<std::string>& target) {
    std::vector<platform::FolderIdentity> ancestors;
    FindFiles(root, prefix, extension, target, ancestors);
}

}  // namespace

void FindGroupFiles(const std::string& root, const std::string& prefix, std::vector<std::string>& target) {
    FindFiles(root, prefix, ".mxgrp", target);
}

void FindWavFiles(std::vector<std::string>& target, const std::string& root, const std::string& prefix) {
    FindFiles(root, prefix, ".wav", target);
}

void EnumerateInstruments(LibraryModel& library, WindowServices& ui) {
    library.InstrumentsFolder = library.LibraryPath + "\\Samples\\Instruments";
    library.InstrumentList.clear();
    if (!PathExists(library.InstrumentsFolder))
        return;
    WaitCursor wait(ui);
    std::vector<std::string> samples;
    FindWavFiles(samples, library.InstrumentsFolder, "");
    for (const auto& sample : samples) {
        const std::string folder = FolderOfPath(sample);
        const std::string category = FolderOfPath(folder);
        const std::string name = TrimBlanks(RemoveAll(FileNameOfPath(folder), "Samples"));
        AddInstrumentSample(library, name, category, sample);
    }
}

void AddInstrumentSample(LibraryModel& library, const std::string& name, const std::string& category,
                         const std::string& samplePath) {
    for (auto& entry : library.InstrumentList) {
        if (entry.Name == name) {
            entry.AddSample(samplePath);
            return;
        }
    }
    InstrumentEntry& entry = library.InstrumentList.emplace_back();
    entry.Name = name;
    entry.Category = category;
    entry.AddSample(samplePath);
}

std::string InstrumentRowText(const InstrumentEntry& entry) {
    return entry.Category + " - " + entry.Name + " [" + std::to_string(entry.SampleCount()) + " wavs]";
}

void FillLibraryList(Session& session, WindowServices& ui) {
    ui.ClearMainList();
    ui.ClearWavesList();
    if (session.library.ShowInstruments == 1) {
        for (const auto& entry : session.library.InstrumentList)
            ui.AddMainRow(InstrumentRowText(entry));
    } else {
        for (const auto& group : session.library.GroupList)
            ui.AddMainRow(group);
    }
    session.ListShowsLog = false;
}

}  // namespace kitvane
