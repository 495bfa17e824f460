#include "riff/riff_editor.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

#include "riff/chunk_cursor.h"
#include "riff/little_endian.h"

namespace kitvane {
namespace {

// Zero bytes that complete a truncated chunk are written from a buffer of this size at most.
constexpr std::uint64_t kZeroBlockSize = 1 << 20;

// "meta", its size 4, then the tempo: no pad byte follows.
constexpr std::uint32_t kTempoChunkSize = 12;

std::string TempoChunk(std::uint32_t beatsPerMinute) {
    std::string chunk = "meta";
    AppendUint32LittleEndian(chunk, 4);
    AppendUint32LittleEndian(chunk, beatsPerMinute * 1000);
    return chunk;
}

bool WriteText(platform::OutputFile& out, const std::string& bytes) {
    return out.Write(bytes.data(), bytes.size());
}

bool WriteZeros(platform::OutputFile& out, std::uint64_t count) {
    const std::vector<char> zeros(static_cast<std::size_t>(std::min(count, kZeroBlockSize)));
    while (count > 0) {
        const auto block = static_cast<std::size_t>(std::min<std::uint64_t>(count, zeros.size()));
        if (!out.Write(zeros.data(), block))
            return false;
        count -= block;
    }
    return true;
}

// The top-level chunks of one source, and the copy of them with tempo chunks.
class RiffEditor {
public:
    explicit RiffEditor(platform::InputStream& source) : cursor_(source) {}

    // Reads the form header and lists the chunks that begin inside the RIFF size. False when the source
    // can't be tagged whole. Throws RiffReadError when reading fails.
    bool CollectChunks() {
        form_.id = cursor_.ReadId();
        form_.size = cursor_.ReadLittleEndian32();
        form_.type = cursor_.ReadId();
        if (form_.id != "RIFF")
            return false;
        // The walk goes on to the end of the file, past the RIFF size, only to find a "data" chunk that
        // the copy would lose.
        while (cursor_.HeaderFits()) {
            const RiffChunk chunk = cursor_.ReadChunkHeader();
            if (chunk.HeaderStart() < form_.End())
                chunks_.push_back(chunk);
            else if (chunk.id == "data")
                return false;
            cursor_.MoveTo(chunk.End());
        }
        return std::none_of(chunks_.begin(), chunks_.end(), [this](const RiffChunk& chunk) {
            return MissingBytes(chunk) > cursor_.FileLength();
        });
    }

    // The RIFF size field grows by one tempo chunk per "data" chunk; it is held at the largest value,
    // which a placeholder size may already be, rather than wrapping round to a small one.
    bool WriteWithTempo(platform::OutputFile& out, std::uint32_t beatsPerMinute) {
        const auto dataChunks = std::count_if(chunks_.begin(), chunks_.end(),
                                              [](const RiffChunk& chunk) { return chunk.id == "data"; });
        const std::uint64_t formSize =
            std::max<std::uint64_t>(form_.size, 4) + kTempoChunkSize * static_cast<std::uint64_t>(dataChunks);
        std::string head = form_.id;
        AppendUint32LittleEndian(head, static_cast<std::uint32_t>(std::min<std::uint64_t>(
                                           formSize, std::numeric_limits<std::uint32_t>::max())));
        head += form_.type;
        if (!WriteText(out, head))
            return false;
        for (const RiffChunk& chunk : chunks_) {
            std::string header = chunk.id == "data" ? TempoChunk(beatsPerMinute) : std::string();
            header += chunk.id;
            AppendUint32LittleEndian(header, static_cast<std::uint32_t>(chunk.size));
            if (!WriteText(out, header) || !cursor_.CopyPresentBytes(chunk, out) ||
                !WriteZeros(out, MissingBytes(chunk))) {
                return false;
            }
        }
        return out.Commit(platform::OutputFile::Mode::Replace);
    }

private:
    std::uint64_t MissingBytes(const RiffChunk& chunk) const {
        return chunk.Extent() - cursor_.PresentBytes(chunk);
    }

    ChunkCursor cursor_;
    RiffForm form_;
    std::vector<RiffChunk> chunks_;
};

// Lists the source's chunks and, when it can be tagged whole, writes into the output that openOutput
// makes then (null when none can be made).
template <typename OpenOutput>
TempoTagging Tag(platform::InputStream& source, std::uint32_t beatsPerMinute, OpenOutput openOutput) {
    try {
        RiffEditor editor(source);
        if (!editor.CollectChunks())
            return TempoTagging::Refused;
        platform::OutputFile* out = openOutput();
        return out != nullptr && editor.WriteWithTempo(*out, beatsPerMinute) ? TempoTagging::Written
                                                                             : TempoTagging::NotSaved;
    } catch (const RiffReadError&) {
        return TempoTagging::Refused;
    }
}

}  // namespace

TempoTagging WriteWithTempo(const std::string& source, const std::string& destination,
                            std::uint32_t beatsPerMinute) {
    const std::unique_ptr<platform::InputStream> stream = platform::OpenForReading(source);
    if (stream == nullptr)
        return TempoTagging::Refused;
    // The chunk headers come from one block read; the chunks' content is copied by the platform.
    platform::BufferedInputStream buffered(*stream);
    std::unique_ptr<platform::OutputFile> out;
    return Tag(buffered, beatsPerMinute, [&] {
        out = platform::CreateOutputFile(destination);
        return out.get();
    });
}

TempoTagging WriteWithTempo(platform::InputStream& source, platform::OutputFile& out,
                            std::uint32_t beatsPerMinute) {
    return Tag(source, beatsPerMinute, [&out] { return &out; });
}

}  // namespace kitvane
