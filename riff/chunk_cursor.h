#pragma once
// The one way Kitvane reads RIFF files: a cursor over a byte stream that reads little-endian fields and
// chunk headers, places every chunk against the length of the file and never lets a stored size wrap a
// position. The WAV reader and the tempo writer both walk files through it.
//
// Policy, the same for every walk:
// - Positions and sizes are 64-bit; sums saturate instead of wrapping, so a walk only moves forward.
// - An odd-sized chunk is followed by one pad byte that belongs to the chunk: the next chunk begins
//   after it, and a copy of the chunk carries it. A pad byte missing at the very end of the file is
//   simply one byte the file lacks, like any other.
// - A size that reaches past the end of the file is kept as stored; PresentBytes says how much of the
//   chunk the file holds, and nothing can follow such a chunk.
// - The form header ("RIFF" or "RF64", size, form type) is the only header with a type; a form size below
//   4 can't even hold that type, so such a form is empty. Chunks are never entered: the type of a
//   "LIST" chunk is part of its content.
#include <cstdint>
#include <string>

#include "platform/byte_stream.h"

namespace kitvane {

// A read that came short: at the end of the file, or because the device failed before it.
struct RiffReadError {
    enum class Kind { End, Device };
    Kind kind;
};

// The header of the file: its id, its size field (the form type and every chunk after it) and the
// form type, e.g. "WAVE".
struct RiffForm {
    std::string id;
    std::uint32_t size = 0;
    std::string type;

    // Where a form of the given size ends (an RF64 file supplies its 64-bit size instead of the field).
    static std::uint64_t EndFor(std::uint64_t size);
    std::uint64_t End() const { return EndFor(size); }
};

// One chunk, as its header describes it.
struct RiffChunk {
    std::string id;           // the four id characters as stored
    std::uint64_t size = 0;   // the size field (an RF64 data chunk may take a 64-bit size from "ds64")
    std::uint64_t start = 0;  // position of the content's first byte, just after the 8-byte header

    static constexpr std::uint64_t kHeaderSize = 8;
    std::uint64_t HeaderStart() const { return start - kHeaderSize; }
    // The content and its pad byte.
    std::uint64_t Extent() const;
    // Where the next chunk begins.
    std::uint64_t End() const;
};

// Saturating: a stored size can't carry a position past the largest one.
std::uint64_t AddPositions(std::uint64_t position, std::uint64_t size);

class ChunkCursor {
public:
    // The length is taken once: files are not expected to change while they are walked.
    explicit ChunkCursor(platform::InputStream& stream) : stream_(stream), length_(stream.Length()) {}

    std::uint64_t FileLength() const { return length_; }
    std::uint64_t Position() const { return stream_.Tell(); }

    // Reads at the position and moves past what was read. Throws RiffReadError when the stream gives
    // fewer bytes: End when the file ended first, Device when reading failed before the end.
    void ReadBytes(void* bytes, std::size_t count);
    std::string ReadId();
    std::uint16_t ReadLittleEndian16();
    std::uint32_t ReadLittleEndian32();
    std::uint64_t ReadLittleEndian64();

    // The chunk header at the position; the cursor then stands at the chunk's content.
    RiffChunk ReadChunkHeader();
    // True when a whole chunk header lies between the position and the end of the file.
    bool HeaderFits() const;

    // A seek, not a read: a position beyond the end is accepted and the next read meets the end. Throws
    // RiffReadError (Device) when the stream refuses the position.
    void MoveTo(std::uint64_t position);

    // How much of the chunk's extent (content and pad byte) the file holds.
    std::uint64_t PresentBytes(const RiffChunk& chunk) const;
    // Copies the extent's present bytes into out; false when reading or writing failed on the way.
    bool CopyPresentBytes(const RiffChunk& chunk, platform::OutputFile& out);

private:
    platform::InputStream& stream_;
    std::uint64_t length_;
};

}  // namespace kitvane
