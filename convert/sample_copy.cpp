#include "convert/sample_copy.h"

#include <algorithm>

#include "convert/path_operations.h"
#include "convert/wave_parser.h"
#include "platform/file_system.h"

namespace kitvane {

std::string CopySample(const std::string& libraryPath, const std::string& sampleReference,
                       const std::string& programFolder, std::string& sampleName, std::string& frameCount) {
    if (sampleReference.empty())
        return {};
    std::string reference = sampleReference;
    std::replace(reference.begin(), reference.end(), '/', '\\');
    const std::string fileName = FileNameOfPath(reference);
    const std::string destination = programFolder + fileName;
    sampleName = StripExtension(FileNameOfPath(destination));
    // A reference that climbs out of the library is named in the program like a missing sample, but
    // nothing outside the library is ever read or copied.
    if (!StaysInsideLibrary(reference)) {
        frameCount = "0";
        return fileName;
    }
    const std::string source = libraryPath + "\\" + reference;
    if (PathExists(source))
        platform::CopyFileNoReplace(source, destination);
    // Measured on the source: an existing destination may be an older, different file.
    CWaveParser parser;
    parser.Parse(source);
    frameCount = std::to_string(parser.frameCount);
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
