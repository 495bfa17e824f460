#include "convert/sample_copy.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "convert/path_operations.h"
#include "platform/byte_stream.h"
#include "platform/file_system.h"

namespace kitvane {

namespace {

// The source's frame count: an existing copy may be an older, different file.
std::uint32_t FrameCountOf(const std::string& source, const TraceSink& trace) {
    CWaveParser parser;
    parser.Parse(source, trace);
    return parser.frameCount;
}

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
                      const platform::FileStatus& sourceStatus, platform::InputStream& source) {
    if (status.isDirectory || status.size != sourceStatus.size)
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

}  // namespace

std::string PlaceSampleCopy(const std::string& source, const std::string& folder,
                            const std::string& fileName) {
    const platform::FileStatus sourceStatus = platform::StatusOf(source);
    const std::unique_ptr<platform::InputStream> sourceBytes = platform::OpenForReading(source);
    if (sourceBytes == nullptr)
        return fileName;
    for (int candidate = 1;; ++candidate) {
        const std::string name = CandidateName(fileName, candidate);
        const std::string destination = folder + name;
        const platform::FileStatus existing = platform::StatusOf(destination);
        if (!existing.exists) {
            // A copy that fails all the same is passed over; the program still names the file.
            platform::CopyFileNoReplace(source, destination);
            return name;
        }
        if (HoldsSourceBytes(destination, existing, sourceStatus, *sourceBytes))
            return name;
    }
}

std::string CopySample(const std::string& libraryPath, const std::string& sampleReference,
                       const std::string& programFolder, std::string& sampleName, std::string& frameCount,
                       const TraceSink& trace) {
    if (sampleReference.empty())
        return {};
    std::string reference = sampleReference;
    std::replace(reference.begin(), reference.end(), '/', '\\');
    std::string fileName = FileNameOfPath(reference);
    std::uint32_t frames = 0;
    // A reference that climbs out of the library is named in the program like a missing sample, but
    // nothing outside the library is ever read or copied.
    if (StaysInsideLibrary(reference)) {
        const std::string source = libraryPath + "\\" + reference;
        fileName = PlaceSampleCopy(source, programFolder, fileName);
        frames = FrameCountOf(source, trace);
    }
    sampleName = StripExtension(fileName);
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
