#include "convert/sample_copy.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "convert/path_operations.h"
#include "platform/byte_stream.h"
#include "platform/file_system.h"

namespace kitvane {

namespace {

// True when both streams hold the same bytes to their ends; read in bounded blocks.
bool SameBytes(platform::InputStream& first, platform::InputStream& second) {
    constexpr std::size_t kBlock = 1 << 16;
    std::string firstBlock(kBlock, '\0');
    std::string secondBlock(kBlock, '\0');
    while (true) {
        const std::size_t got = first.Read(firstBlock.data(), kBlock);
        if (second.Read(secondBlock.data(), kBlock) != got ||
            firstBlock.compare(0, got, secondBlock, 0, got) != 0)
            return false;
        if (got < kBlock)
            return true;
    }
}

// True when the file at path, of the given status, holds exactly the source's bytes: sizes first, then
// the bytes from the start.
bool HoldsSourceBytes(const std::string& path, const platform::FileStatus& status,
                      platform::InputStream& source) {
    if (status.isDirectory || status.size != source.Length())
        return false;
    const std::unique_ptr<platform::InputStream> existing = platform::OpenForReading(path);
    return existing != nullptr && source.Seek(0) && SameBytes(*existing, source);
}

// "Kick.wav" for the first candidate, then "Kick (2).wav", "Kick (3).wav", ...
std::string CandidateName(const std::string& fileName, int candidate) {
    if (candidate == 1)
        return fileName;
    const std::string stem = StripExtension(fileName);
    return stem + " (" + std::to_string(candidate) + ")" + fileName.substr(stem.size());
}

// The first candidate name that is free, where the copy goes, or that holds the source's bytes.
std::string PlaceCopy(platform::InputStream& source, const std::string& folder, const std::string& fileName) {
    for (int candidate = 1;; ++candidate) {
        const std::string name = CandidateName(fileName, candidate);
        const std::string destination = folder + name;
        const platform::FileStatus existing = platform::StatusOf(destination);
        if (!existing.exists) {
            // A copy that fails all the same is passed over; the program still names the file.
            platform::CopyStreamNoReplace(source, destination);
            return name;
        }
        if (HoldsSourceBytes(destination, existing, source))
            return name;
    }
}

}  // namespace

PlacedSample PlaceSample(const std::string& source, const std::string& folder, const std::string& fileName,
                         const TraceSink& trace) {
    const std::unique_ptr<platform::InputStream> stream = platform::OpenForReading(source);
    if (stream == nullptr)
        return {fileName, 0};
    CWaveParser parser;
    {
        // The header is read in one block from the handle that then copies the file.
        platform::BufferedInputStream header(*stream);
        parser.Parse(header, trace);
    }
    return {PlaceCopy(*stream, folder, fileName), parser.frameCount};
}

std::string CopySample(const std::string& libraryPath, const std::string& sampleReference,
                       const std::string& programFolder, std::string& sampleName, std::string& frameCount,
                       const TraceSink& trace) {
    if (sampleReference.empty())
        return {};
    std::string reference = sampleReference;
    std::replace(reference.begin(), reference.end(), '/', '\\');
    PlacedSample placed{FileNameOfPath(reference), 0};
    // A reference that climbs out of the library is named in the program like a missing sample, but
    // nothing outside the library is ever read or copied.
    if (StaysInsideLibrary(reference))
        placed = PlaceSample(libraryPath + "\\" + reference, programFolder, placed.fileName, trace);
    sampleName = StripExtension(placed.fileName);
    frameCount = std::to_string(placed.frames);
    return placed.fileName;
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
