#pragma once
// One sample (or preview) of the library copied beside the program that names it. Copies never replace
// an existing file and appear under their final name only when complete; failures are passed over.
#include <cstdint>
#include <string>

#include "app/window_services.h"
#include "riff/wave_parser.h"

namespace kitvane {

// Copies the sample that sampleReference (library-relative, "/" or "\" separated) names from
// libraryPath into programFolder (which ends with "\") by PlaceSample and returns the file name it
// took. sampleName gets that name without extension and frameCount the sample's frame count in decimal
// ("0" when it can't be read). An empty reference returns "" and leaves both outputs untouched. A
// reference that would leave the library is neither read nor copied: it keeps its file name and gets
// frame count "0". The WAV reader's trace goes to trace.
std::string CopySample(const std::string& libraryPath, const std::string& sampleReference,
                       const std::string& programFolder, std::string& sampleName, std::string& frameCount,
                       const TraceSink& trace = {});

// A sample kept beside a program: the file name it took, and its length in frames.
struct PlacedSample {
    std::string fileName;
    std::uint32_t frames = 0;
};

// Opens source once, measures it with the WAV reader (its trace to trace) and keeps a copy of it in
// folder (which exists and ends with "\") under the first of fileName, "stem (2).ext", "stem (3).ext",
// ... that is either free, where the copy goes, or already holds exactly the source's bytes, which are
// then not copied again; so a program never names a different sound that sits under the same name.
// The length is the source's: an existing copy may be an older file. A source that can't be read keeps
// fileName, is not copied and has 0 frames.
PlacedSample PlaceSample(const std::string& source, const std::string& folder, const std::string& fileName,
                         const TraceSink& trace = {});

// A drum program's preview: when previewSource exists, adds "[Previews]" to the waves list, makes the
// destination's folder and copies the preview there; otherwise does nothing.
void CopyPreview(const std::string& previewSource, const std::string& previewDestination, WindowServices& ui);

}  // namespace kitvane
