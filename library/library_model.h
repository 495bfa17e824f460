#pragma once
// The loaded library: where it lies, what it holds, and where its conversion goes.
#include <string>
#include <vector>

namespace kitvane {

// One instrument: a folder of samples below \Samples\Instruments. The five per-sample lists are
// parallel: index i names one sample in all of them.
struct InstrumentEntry {
    std::string Name;
    std::string Category;
    std::vector<std::string> SamplePaths;  // relative to the instruments folder
    std::vector<unsigned> RootNotes;
    std::vector<unsigned> LowNotes;
    std::vector<unsigned> HighNotes;
    std::vector<std::vector<std::string>> Layers;  // further samples of the same root note

    void AddSample(const std::string& path);
    void RemoveSample(std::size_t index);
    std::size_t SampleCount() const { return SamplePaths.size(); }
};

struct LibraryModel {
    std::string LibraryPath;
    std::string GroupsFolder;
    std::string GroupSubfolder = "\\Groups\\";
    std::string InstrumentsFolder;
    std::string LibraryName = "<library name>";
    std::vector<std::string> GroupList;  // group files relative to GroupsFolder
    std::vector<InstrumentEntry> InstrumentList;
    std::string OutputFolder;
    int AddLibrarySubfolder = 1;
    int ShowInstruments = 0;  // 0: the Kits view, 1: the Instruments view
};

}  // namespace kitvane
