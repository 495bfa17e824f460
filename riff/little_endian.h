#pragma once
// Little-endian integers of RIFF files, read from and appended to raw bytes.
#include <cstdint>
#include <string>

namespace kitvane {

// The 16-bit value stored in bytes[0..1], lowest byte first.
inline std::uint16_t ReadUint16LittleEndian(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

// The 32-bit value stored in bytes[0..3], lowest byte first.
inline std::uint32_t ReadUint32LittleEndian(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// Appends the four bytes of value, lowest first.
inline void AppendUint32LittleEndian(std::string& target, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        target.push_back(static_cast<char>(value >> shift & 0xFF));
}

}  // namespace kitvane
