#include "convert/wave_parser.h"

#include <atomic>
#include <iostream>
#include <memory>

#include "riff/little_endian.h"

namespace kitvane {
namespace {

std::atomic<bool> traceEnabled{false};

template <typename... Parts>
void Trace(const Parts&... parts) {
    if (!traceEnabled)
        return;
    (std::cout << ... << parts) << std::endl;
}

// The failure that ends a walk; Parse turns it into errorText, so it never leaves the reader.
struct WalkFailure {
    const char* message;
};

constexpr const char* kUnexpectedEnd = "Unexpected EOF while reading from file";
constexpr const char* kUnreadable = "Unable to read from file";

// One walk over a stream. Every primitive is checked at once and adds its byte count to the counter
// the caller names.
class ChunkWalk {
public:
    ChunkWalk(platform::InputStream& stream, CWaveParser& wave) : stream_(stream), wave_(wave) {}

    void Run() {
        std::uint32_t uncounted = 0;
        const std::string riffId = ReadId(uncounted);
        const std::uint32_t riffSize = ReadUint32(uncounted);
        if (riffId != "RIFF")
            throw WalkFailure{"File is not a RIFF file"};
        Trace("RIFF Size: ", riffSize);
        const std::string formType = ReadId(uncounted);
        Trace("RIFF Type: '", formType, "'");
        if (formType != "WAVE")
            throw WalkFailure{"File is not a WAV file"};

        // A RIFF size below 4 wraps to a huge limit: the walk then ends only at a failure.
        const std::uint32_t limit = riffSize - 4;
        std::uint32_t consumed = 0;
        while (consumed < limit)
            WalkChunk(consumed);
    }

private:
    void WalkChunk(std::uint32_t& consumed) {
        const std::string id = ReadId(consumed);
        const std::uint32_t size = ReadUint32(consumed);
        std::uint32_t chunkConsumed = 0;
        Trace("Chunk: '", id, "', Size: ", size);
        if (id == "fmt ") {
            ReadFormat(size, chunkConsumed);
        } else if (id == "data") {
            if (!formatSeen_)
                throw WalkFailure{"No FMT chunk encountered before DATA chunk"};
            // Unsigned throughout: 16-bit channels times 16-bit bits per sample fits in 32 bits.
            const std::uint32_t bytesPerFrame = std::uint32_t{wave_.channels} * wave_.bitsPerSample / 8;
            wave_.frameCount = bytesPerFrame == 0 ? 0 : size / bytesPerFrame;
            Skip(size, chunkConsumed);
        } else {
            Skip(size, chunkConsumed);
        }
        consumed += chunkConsumed;
        if (size % 2 != 0)
            Skip(1, consumed);
    }

    void ReadFormat(std::uint32_t size, std::uint32_t& chunkConsumed) {
        if (formatSeen_)
            throw WalkFailure{"More than one FMT chunk encountered"};
        formatSeen_ = true;
        wave_.audioFormat = ReadUint16(chunkConsumed);
        wave_.channels = ReadUint16(chunkConsumed);
        wave_.sampleRate = ReadUint32(chunkConsumed);
        wave_.byteRate = ReadUint32(chunkConsumed);
        wave_.blockAlign = ReadUint16(chunkConsumed);
        Trace("  Audio Format: ", wave_.audioFormat);
        Trace("  Channels: ", wave_.channels);
        Trace("  Sample Rate: ", wave_.sampleRate);
        Trace("  Byte Rate: ", wave_.byteRate);
        Trace("  BlockAlign: ", wave_.blockAlign);
        if (size >= 16) {
            wave_.bitsPerSample = ReadUint16(chunkConsumed);
            Trace("  Bits per Sample: ", wave_.bitsPerSample);
        }
        if (size >= 18) {
            wave_.extraSize = ReadUint16(chunkConsumed);
            Trace("  Extra Size: ", wave_.extraSize);
            if (wave_.extraSize != 0)
                Skip(wave_.extraSize, chunkConsumed);
        }
        // A chunk shorter than what was read is not rewound.
        if (chunkConsumed < size)
            Skip(size - chunkConsumed, chunkConsumed);
    }

    void Read(unsigned char* bytes, std::uint32_t count, std::uint32_t& counter) {
        if (stream_.Read(bytes, count) != count)
            throw WalkFailure{stream_.AtEnd() ? kUnexpectedEnd : kUnreadable};
        counter += count;
    }

    // A seek, not a read: moving beyond the end succeeds, and the next read then meets the end.
    void Skip(std::uint32_t count, std::uint32_t& counter) {
        if (!stream_.Seek(stream_.Tell() + count))
            throw WalkFailure{kUnreadable};
        counter += count;
    }

    std::string ReadId(std::uint32_t& counter) {
        unsigned char bytes[4];
        Read(bytes, 4, counter);
        return {reinterpret_cast<const char*>(bytes), 4};
    }

    std::uint16_t ReadUint16(std::uint32_t& counter) {
        unsigned char bytes[2];
        Read(bytes, 2, counter);
        return ReadUint16LittleEndian(bytes);
    }

    std::uint32_t ReadUint32(std::uint32_t& counter) {
        unsigned char bytes[4];
        Read(bytes, 4, counter);
        return ReadUint32LittleEndian(bytes);
    }

    platform::InputStream& stream_;
    CWaveParser& wave_;
    bool formatSeen_ = false;
};

}  // namespace

bool CWaveParser::Parse(const std::string& path) {
    const std::unique_ptr<platform::InputStream> stream = platform::OpenForReading(path);
    if (stream == nullptr) {
        errorText = "Unable to open file";
        return false;
    }
    return Parse(*stream);
}

bool CWaveParser::Parse(platform::InputStream& stream) {
    try {
        ChunkWalk(stream, *this).Run();
        return true;
    } catch (const WalkFailure& failure) {
        errorText = failure.message;
        return false;
    }
}

void CWaveParser::SetTraceEnabled(bool enabled) {
    traceEnabled = enabled;
}

}  // namespace kitvane
