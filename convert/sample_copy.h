#pragma once
// One sample (or preview) of the library copied beside the program that names it. Copies never replace
// an existing file and appear under their final name only when complete; failures are passed over.
#include <string>

#include "app/window_services.h"
#include "riff/wave_parser.h"

namespace kitvane {

// Copies the sample that sampleReference (library-relative, "/" or "\" separated) names from
// libraryPath into programFolder (which ends with "\") by PlaceSampleCopy and returns the file name it
// took. sampleName gets that name without extension and frameCount the sample's frame count in decimal
// ("0" when it can't be read). An empty reference returns "" and leaves both outputs untouched. A
// reference that would leave the library is neither read nor copied: it keeps its file name and gets
// frame count "0".
// The WAV reader's trace goes to trace.
std::string CopySample(const std::string& libraryPath, const std::string& sampleReference,
                       const std::string& programFolder, std::string& sampleName, std::string& frameCount,
                       const TraceSink& trace = {});

// Keeps a copy of source in folder (which ends with "\") under the first of fileName, "stem (2).ext",
// "stem (3).ext", ... that is either free, where the copy goes, or already holds exactly the source's
// bytes, which are then not copied again. Returns the file name taken, so that a program never names a
// different sound that sits under the same name. A source that can't be read keeps fileName and is
// not copied.
std::string PlaceSampleCopy(const std::string& source, const std::string& folder,
                            const std::string& fileName);

// A drum program's preview: when previewSource exists, adds "[Previews]" to the waves list, makes the
// destination's folder and copies the preview there; otherwise does nothing.
void CopyPreview(const std::string& previewSource, const std::string& previewDestination, WindowServices& ui);

}  // namespace kitvane
