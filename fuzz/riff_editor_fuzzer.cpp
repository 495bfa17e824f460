// Any bytes as a loop, listed and written with a tempo chunk into memory. Besides not crashing, the
// copy must stay in proportion to its source: it holds no chunk the source lacks, and no more zero
// bytes than the source is long.
#include <memory>

#include "fuzz/fuzz_support.h"
#include "platform/byte_stream.h"
#include "riff/riff_editor.h"

namespace {

class MemoryOutputFile final : public kitvane::platform::OutputFile {
public:
    bool Write(const void* bytes, std::size_t count) override {
        written.append(static_cast<const char*>(bytes), count);
        return true;
    }
    bool Commit(Mode) override { return true; }
    std::string ErrorText() const override { return {}; }

    std::string written;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kitvane;
    RiffEditor editor;
    if (!editor.Open(std::make_unique<platform::MemoryInputStream>(fuzzing::BytesOf(data, size))))
        return 0;
    editor.CollectChunks();
    MemoryOutputFile out;
    if (editor.WriteWithTempo(out, 120)) {
        // Every chunk header is at least 8 bytes of source and becomes at most 24 bytes of copy (a
        // tempo chunk and a list header); content is at most the source plus as many zero bytes.
        fuzzing::Require(out.written.size() <= 12 + 5 * std::uint64_t{size});
    }
    editor.Close();
    return 0;
}
