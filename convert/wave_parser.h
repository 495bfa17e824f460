#pragma once
// The WAV reader: walks the chunks of a RIFF/WAVE file and keeps the format facts of its "fmt " chunk
// and the frame count of its "data" chunk. The sample data itself is never read.
#include <cstdint>
#include <string>

#include "platform/byte_stream.h"

namespace kitvane {

class CWaveParser {
public:
    // Walks the file at path (path text). True when the walk reached the end of the RIFF form; false
    // on the first failure, with errorText saying what failed. Fields read before a failure stay.
    bool Parse(const std::string& path);
    // The same walk over an already open stream (the seam for tests and fuzzing).
    bool Parse(platform::InputStream& stream);

    std::uint16_t audioFormat = 0;
    std::uint16_t channels = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t byteRate = 0;
    std::uint32_t frameCount = 0;
    std::string errorText;

    // Trace lines of every walk go to standard output only while this is on (the command line's
    // --trace-wav); they never mix into a run's log.
    static void SetTraceEnabled(bool enabled);
};

}  // namespace kitvane
