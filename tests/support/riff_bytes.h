#pragma once
// Bytes of RIFF/WAVE files built field by field, so a test shows exactly which field carries a fault.
#include <cstdint>
#include <optional>
#include <string>

namespace kitvane::testing {

inline std::string Le16(std::uint16_t value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

inline std::string Le32(std::uint32_t value) {
    return Le16(value & 0xFFFF) + Le16(value >> 16);
}

inline std::string Le64(std::uint64_t value) {
    return Le32(value & 0xFFFFFFFF) + Le32(value >> 32);
}

// A chunk whose size field says declaredSize, followed by content as given (no pad byte added).
inline std::string ChunkWithSize(const std::string& id, std::uint32_t declaredSize,
                                 const std::string& content) {
    return id + Le32(declaredSize) + content;
}

// A well-formed chunk: its true size, and the pad byte after odd-sized content.
inline std::string Chunk(const std::string& id, const std::string& content) {
    return ChunkWithSize(id, static_cast<std::uint32_t>(content.size()), content) +
           (content.size() % 2 != 0 ? std::string(1, '\0') : std::string());
}

// The 16 bytes of a "fmt " chunk's content with the block alignment given.
inline std::string AlignedFormatContent(std::uint16_t channels, std::uint32_t sampleRate,
                                        std::uint16_t bitsPerSample, std::uint16_t blockAlign,
                                        std::uint16_t audioFormat = 1) {
    return Le16(audioFormat) + Le16(channels) + Le32(sampleRate) + Le32(sampleRate * blockAlign) +
           Le16(blockAlign) + Le16(bitsPerSample);
}

// The 16 bytes of a plain "fmt " chunk's content.
inline std::string FormatContent(std::uint16_t channels, std::uint32_t sampleRate,
                                 std::uint16_t bitsPerSample, std::uint16_t audioFormat = 1) {
    return AlignedFormatContent(channels, sampleRate, bitsPerSample,
                                static_cast<std::uint16_t>(channels * bitsPerSample / 8), audioFormat);
}

// "RIFF", the size field (by default the true size: the body plus the form type) and the form type.
inline std::string RiffFile(const std::string& body, std::optional<std::uint32_t> riffSize = std::nullopt,
                            const std::string& formType = "WAVE") {
    return "RIFF" + Le32(riffSize.value_or(static_cast<std::uint32_t>(body.size() + 4))) + formType + body;
}

// A complete 16-bit stereo PCM file with the given bytes of sample data.
inline std::string PcmWave(const std::string& sampleData) {
    return RiffFile(Chunk("fmt ", FormatContent(2, 44100, 16)) + Chunk("data", sampleData));
}

}  // namespace kitvane::testing
