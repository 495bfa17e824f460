#pragma once
// What the fuzz targets share: the input as a string, and a stop that the fuzzer reports as a crash
// when a target finds its own promise broken.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace kitvane::fuzzing {

inline std::string BytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline void Require(bool promise) {
    if (!promise)
        std::abort();
}

}  // namespace kitvane::fuzzing
