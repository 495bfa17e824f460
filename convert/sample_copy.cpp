#include "convert/sample_copy.h"

#include <algorithm>
#include <cstdint>

#include "convert/path_operations.h"
#include "platform/file_system.h"

namespace kitvane {

namespace {

// Copies source to destination unless it exists there already, and returns the source's frame count.
// The count comes from the source: an existing destination may be an older, different file.
std::uint32_t CopyAndMeasure(const std::string& source, const std::string& destination,
                             const TraceSink& trace) {
    if (PathExists(source))
        platform::CopyFileNoReplace(source, destination);
    CWaveParser parser;
    parser.Parse(source, trace);
    return parser.frameCount;
}

}  // namespace

std::string CopySample(const std::string& libraryPath, const std::string& sampleReference,
                       const std::string& programFolder, std::string& sampleName, std::string& frameCount,
                       const TraceSink& trace) {
    if (sampleReference.empty())
        return {};
    std::string reference = sampleReference;
    std::replace(reference.begin(), reference.end(), '/', '\\');
    const std::string fileName = FileNameOfPath(reference);
    const std::string destination = programFolder + fileName;
    sampleName = StripExtension(FileNameOfPath(destination));
    // A reference that climbs out of the library is named in the program like a missing sample, but
    // nothing outside the library is ever read or copied.
    const std::uint32_t frames = StaysInsideLibrary(reference)
                                     ? CopyAndMeasure(libraryPath + "\\" + reference, destination, trace)
                                     : 0;
    frameCount = std::to_string(frames);
    return fileName;
}

void CopyPreview(const std::string& previewSource, const std::string& previewDestination,
                 WindowServices& ui) {
    if (!PathExists(previewSource))
        return;
    ui.AddWavesRow("[Previews]");
    CreateFolders(previewDestination, PathKind::File);
    platform::CopyFileNoReplace(previewSource, previewDestination);
}

}  // namespace kitvane
