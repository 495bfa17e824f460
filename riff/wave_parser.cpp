#include "riff/wave_parser.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>

#include "riff/chunk_cursor.h"

namespace kitvane {
namespace {

// A failure of the file's structure; Parse turns it, like a short read, into errorText, so neither
// ever leaves the reader.
struct WalkFailure {
    const char* message;
};

// RF64 stores this in a 32-bit size field whose true value is in its "ds64" chunk.
constexpr std::uint32_t kSizeInDs64 = 0xFFFFFFFF;

// Formats one trace line from its parts and hands it to the sink, when there is one.
class TraceLines {
public:
    explicit TraceLines(const TraceSink& sink) : sink_(sink) {}

    template <typename... Parts>
    void operator()(const Parts&... parts) const {
        if (!sink_)
            return;
        std::ostringstream line;
        (line << ... << parts);
        sink_(line.str());
    }

private:
    const TraceSink& sink_;
};

// A frame holds one sample of every channel. Its size is blockAlign whenever that can hold them, which
// is how 24-bit samples in 4-byte containers are stored; otherwise (a writer that left blockAlign wrong)
// channels × bits / 8. A format without channels or bits has no frames.
std::uint64_t BytesPerFrame(const CWaveParser& wave) {
    const std::uint64_t smallest = std::uint64_t{wave.channels} * ((wave.bitsPerSample + 7u) / 8);
    if (smallest > 0 && wave.blockAlign >= smallest)
        return wave.blockAlign;
    return std::uint64_t{wave.channels} * wave.bitsPerSample / 8;
}

// One walk over a file: the form header, "ds64" for RF64, then every chunk up to the end of the form or
// of the file, whichever lies further (a form size that ends early must not hide the data chunk).
class WaveWalk {
public:
    WaveWalk(ChunkCursor& cursor, CWaveParser& wave, const TraceSink& trace)
        : cursor_(cursor), wave_(wave), trace_(trace) {}

    void Run() {
        ReadForm();
        const std::uint64_t walkEnd = std::max(formEnd_, cursor_.FileLength());
        while (cursor_.Position() < walkEnd) {
            // Bytes after the form, too few for a chunk header, are trailing bytes, not a chunk.
            if (cursor_.Position() >= formEnd_ && !cursor_.HeaderFits())
                break;
            const RiffChunk chunk = WalkChunk();
            if (chunk.End() >= walkEnd)
                break;
            cursor_.MoveTo(chunk.End());
        }
    }

private:
    void ReadForm() {
        const std::string id = cursor_.ReadId();
        const std::uint32_t size = cursor_.ReadLittleEndian32();
        if (id != "RIFF" && id != "RF64")
            throw WalkFailure{"File is not a RIFF file"};
        trace_(id, " Size: ", size);
        const std::string formType = cursor_.ReadId();
        trace_(id, " Type: '", formType, "'");
        if (formType != "WAVE")
            throw WalkFailure{"File is not a WAV file"};
        formEnd_ = RiffForm::EndFor(id == "RF64" ? ReadDs64(size) : size);
    }

    // RF64: the first chunk, "ds64", holds the 64-bit form and data sizes. Returns the form size.
    std::uint64_t ReadDs64(std::uint32_t formSize) {
        const RiffChunk ds64 = cursor_.ReadChunkHeader();
        TraceChunk(ds64);
        if (ds64.id != "ds64")
            throw WalkFailure{"No DS64 chunk at the start of an RF64 file"};
        const std::uint64_t riffSize = cursor_.ReadLittleEndian64();
        const std::uint64_t dataSize = cursor_.ReadLittleEndian64();
        trace_("  RIFF Size: ", riffSize);
        trace_("  Data Size: ", dataSize);
        rf64DataSize_ = dataSize;
        cursor_.MoveTo(ds64.End());
        return formSize == kSizeInDs64 ? riffSize : formSize;
    }

    RiffChunk WalkChunk() {
        RiffChunk chunk = cursor_.ReadChunkHeader();
        TraceChunk(chunk);
        if (chunk.id == "fmt ") {
            ReadFormat(chunk);
        } else if (chunk.id == "data") {
            if (rf64DataSize_ && chunk.size == kSizeInDs64)
                chunk.size = *rf64DataSize_;
            CountFrames(chunk);
        }
        return chunk;
    }

    void TraceChunk(const RiffChunk& chunk) { trace_("Chunk: '", chunk.id, "', Size: ", chunk.size); }

    // The format fields in their order; the extension, whatever size it states, ends with the chunk,
    // where the walk goes on.
    void ReadFormat(const RiffChunk& chunk) {
        if (formatSeen_)
            throw WalkFailure{"More than one FMT chunk encountered"};
        formatSeen_ = true;
        wave_.audioFormat = cursor_.ReadLittleEndian16();
        wave_.channels = cursor_.ReadLittleEndian16();
        wave_.sampleRate = cursor_.ReadLittleEndian32();
        wave_.byteRate = cursor_.ReadLittleEndian32();
        wave_.blockAlign = cursor_.ReadLittleEndian16();
        trace_("  Audio Format: ", wave_.audioFormat);
        trace_("  Channels: ", wave_.channels);
        trace_("  Sample Rate: ", wave_.sampleRate);
        trace_("  Byte Rate: ", wave_.byteRate);
        trace_("  BlockAlign: ", wave_.blockAlign);
        if (chunk.size >= 16) {
            wave_.bitsPerSample = cursor_.ReadLittleEndian16();
            trace_("  Bits per Sample: ", wave_.bitsPerSample);
        }
        if (chunk.size >= 18) {
            wave_.extraSize = cursor_.ReadLittleEndian16();
            trace_("  Extra Size: ", wave_.extraSize);
        }
    }

    // Only whole frames that the file holds count: a data size may be a placeholder or the file cut
    // short. A later "data" chunk overwrites the count.
    void CountFrames(const RiffChunk& chunk) {
        if (!formatSeen_)
            throw WalkFailure{"No FMT chunk encountered before DATA chunk"};
        const std::uint64_t bytesPerFrame = BytesPerFrame(wave_);
        const std::uint64_t present = std::min(chunk.size, cursor_.PresentBytes(chunk));
        const std::uint64_t frames = bytesPerFrame == 0 ? 0 : present / bytesPerFrame;
        wave_.frameCount = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(frames, std::numeric_limits<std::uint32_t>::max()));
    }

    ChunkCursor& cursor_;
    CWaveParser& wave_;
    TraceLines trace_;
    std::uint64_t formEnd_ = 0;
    std::optional<std::uint64_t> rf64DataSize_;
    bool formatSeen_ = false;
};

}  // namespace

bool CWaveParser::Parse(const std::string& path, const TraceSink& trace) {
    const std::unique_ptr<platform::InputStream> stream = platform::OpenForReading(path);
    if (stream == nullptr) {
        errorText = "Unable to open file";
        return false;
    }
    return Parse(*stream, trace);
}

bool CWaveParser::Parse(platform::InputStream& stream, const TraceSink& trace) {
    try {
        ChunkCursor cursor(stream);
        WaveWalk(cursor, *this, trace).Run();
        return true;
    } catch (const WalkFailure& failure) {
        errorText = failure.message;
    } catch (const RiffReadError& failure) {
        errorText = failure.kind == RiffReadError::Kind::End ? "Unexpected EOF while reading from file"
                                                             : "Unable to read from file";
    }
    return false;
}

}  // namespace kitvane
