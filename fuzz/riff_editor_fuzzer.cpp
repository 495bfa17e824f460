// Any bytes as a loop, written with a tempo chunk into memory. Besides not crashing: a refused loop
// commits nothing; a tagged copy stays in proportion to its source (no chunk the source lacks, no more
// zero bytes than the source is long) and loses no frame of it.
#include "fuzz/fuzz_support.h"
#include "platform/byte_stream.h"
#include "riff/riff_editor.h"
#include "riff/wave_parser.h"

namespace {

class MemoryOutputFile final : public kitvane::platform::OutputFile {
public:
    bool Write(const void* bytes, std::size_t count) override {
        written.append(static_cast<const char*>(bytes), count);
        return true;
    }
    bool Commit(Mode) override {
        committed = true;
        return true;
    }
    std::string ErrorText() const override { return {}; }

    std::string written;
    bool committed = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kitvane;
    platform::MemoryInputStream source(fuzzing::BytesOf(data, size));
    MemoryOutputFile out;
    if (WriteWithTempo(source, out, 120) != TempoTagging::Written) {
        fuzzing::Require(!out.committed);
        return 0;
    }
    // Every chunk header is at least 8 bytes of source and becomes at most 20 bytes of copy (with a
    // tempo chunk); content is at most the source plus as many zero bytes.
    fuzzing::Require(out.written.size() <= 12 + 5 * std::uint64_t{size});
    // The copy may complete a truncated data chunk with silence, never hold fewer frames.
    CWaveParser original;
    CWaveParser tagged;
    platform::MemoryInputStream originalBytes(fuzzing::BytesOf(data, size));
    platform::MemoryInputStream taggedBytes(out.written);
    original.Parse(originalBytes);
    tagged.Parse(taggedBytes);
    fuzzing::Require(tagged.frameCount >= original.frameCount);
    return 0;
}
