#pragma once
// One sample (or preview) of the library copied beside the program that names it. Copies never replace
// an existing file and appear under their final name only when complete; failures are passed over.
#include <string>

#include "app/window_services.h"
#include "riff/wave_parser.h"

namespace kitvane {

// Copies the sample that sampleReference (library-relative, "/" or "\" separated) names from
// libraryPath into programFolder (which ends with "\") and returns its file name. sampleName gets the
// file name without extension and frameCount the sample's frame count in decimal ("0" when it can't
// be read). An empty reference returns "" and leaves both outputs untouched. A reference that would
// leave the library is neither read nor copied: it gets frame count "0", its names still derived.
// The WAV reader's trace goes to trace.
std::string CopySample(const std::string& libraryPath, const std::string& sampleReference,
                       const std::string& programFolder, std::string& sampleName, std::string& frameCount,
                       const TraceSink& trace = {});

// A drum program's preview: when previewSource exists, adds "[Previews]" to the waves list, makes the
// destination's folder and copies the preview there; otherwise does nothing.
void CopyPreview(const std::string& previewSource, const std::string& previewDestination, WindowServices& ui);

}  // namespace kitvane
