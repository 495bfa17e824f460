// Any bytes, read by the WAV reader as if they were a file: the walk must end, without a crash or a
// leak, say why it failed exactly when it failed, and count only frames the bytes can hold.
#include "fuzz/fuzz_support.h"
#include "platform/byte_stream.h"
#include "riff/wave_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kitvane;
    platform::MemoryInputStream stream(fuzzing::BytesOf(data, size));
    CWaveParser parser;
    const bool walked = parser.Parse(stream);
    fuzzing::Require(walked == parser.errorText.empty());
    fuzzing::Require(parser.frameCount <= size);
    return 0;
}
