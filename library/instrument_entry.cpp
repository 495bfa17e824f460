#include "library/library_model.h"

namespace kitvane {

void InstrumentEntry::AddSample(const std::string& path) {
    SamplePaths.push_back(path);
    RootNotes.push_back(0);
    LowNotes.push_back(0);
    HighNotes.push_back(0);
    Layers.emplace_back();
}

void InstrumentEntry::RemoveSample(std::size_t index) {
    const auto at = static_cast<std::ptrdiff_t>(index);
    SamplePaths.erase(SamplePaths.begin() + at);
    RootNotes.erase(RootNotes.begin() + at);
    LowNotes.erase(LowNotes.begin() + at);
    HighNotes.erase(HighNotes.begin() + at);
    Layers.erase(Layers.begin() + at);
}

}  // namespace kitvane
