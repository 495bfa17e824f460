#pragma once
// The WAV reader: walks the chunks of a RIFF/WAVE (or RF64) file and keeps the format facts of its
// "fmt " chunk and the number of whole sample frames its "data" chunk holds. The sample data itself is
// never read.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/byte_stream.h"

namespace kitvane {

// Where the reader's trace lines go, one line per call, without a line end. An empty sink drops them.
using TraceSink = std::function<void(const std::string& line)>;

class CWaveParser {
public:
    // Walks the file at path (path text). True when the walk reached the end of the file's chunks;
    // false on the first failure, with errorText saying what failed. Fields read before a failure stay.
    bool Parse(const std::string& path, const TraceSink& trace = {});
    // The same walk over an already open stream (the seam for tests and fuzzing).
    bool Parse(platform::InputStream& stream, const TraceSink& trace = {});

    std::uint16_t audioFormat = 0;
    std::uint16_t channels = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t byteRate = 0;
    // Whole frames present in the file, held at the largest 32-bit count.
    std::uint32_t frameCount = 0;
    std::string errorText;
};

}  // namespace kitvane
