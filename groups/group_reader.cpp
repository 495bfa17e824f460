#include "groups/group_reader.h"

#include <cstddef>
#include <optional>

#include "groups/sample_path_corrections.h"
#include "platform/file_system.h"

namespace kitvane {
namespace {

constexpr std::string_view kCorrectedKitFile = "Abbey Road 60s Early Direct Kit.mxgrp";
constexpr std::size_t kShortestKitPath = 41;
// Runs of this length or shorter never hold a sample path worth keeping.
constexpr std::size_t kShortestRun = 11;

// Characters of UTF-8 text: every byte that does not continue a multi-byte sequence starts one.
std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const unsigned char byte : text) {
        if ((byte & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

bool IsPrintableAscii(unsigned char byte) {
    return byte >= 0x20 && byte <= 0x7E;
}

// The sample reference a run of printable text holds, if it looks like a sample path: long enough, with
// ".wav" after its start, cut to begin at "Samples"; without "Samples" a ":" (an absolute path) drops it.
std::optional<std::string_view> ReferenceOfRun(std::string_view run) {
    if (run.size() < kShortestRun)
        return std::nullopt;
    const auto wav = run.find(".wav");
    if (wav == std::string_view::npos || wav == 0)
        return std::nullopt;
    const auto samples = run.find("Samples");
    if (samples != std::string_view::npos)
        return run.substr(samples);
    if (run.find(':') != std::string_view::npos)
        return std::nullopt;
    return run;
}

}  // namespace

bool IsCorrectedKitGroup(const std::string& groupFilePath) {
    const std::string_view path = groupFilePath;
    return CharacterCount(path) >= kShortestKitPath && path.ends_with(kCorrectedKitFile);
}

void ReadGroupFile(const std::string& groupFilePath, const std::string& libraryFolder, PadTable& table) {
    const bool kitFlag = IsCorrectedKitGroup(groupFilePath);
    const std::optional<std::string> bytes = platform::ReadWholeFile(groupFilePath);
    if (!bytes)
        return;
    ReadGroupBytes(*bytes, kitFlag, libraryFolder, table);
}

void ReadGroupBytes(std::string_view bytes, bool kitFlag, const std::string& libraryFolder, PadTable& table) {
    std::size_t references = 0;
    std::size_t runStart = 0;
    // A run ends only at a byte outside printable ASCII; one still open at the end of the bytes is lost.
    for (std::size_t position = 0; position < bytes.size(); ++position) {
        if (IsPrintableAscii(static_cast<unsigned char>(bytes[position])))
            continue;
        const auto reference = ReferenceOfRun(bytes.substr(runStart, position - runStart));
        runStart = position + 1;
        if (!reference)
            continue;
        table.AddRow(CorrectSamplePath(std::string(*reference), CorrectionMode::Reader, references,
                                       libraryFolder, kitFlag));
        ++references;
    }
}

}  // namespace kitvane
