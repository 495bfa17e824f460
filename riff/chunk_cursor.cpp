#include "riff/chunk_cursor.h"

#include <algorithm>
#include <limits>

#include "riff/little_endian.h"

namespace kitvane {

std::uint64_t AddPositions(std::uint64_t position, std::uint64_t size) {
    const std::uint64_t largest = std::numeric_limits<std::uint64_t>::max();
    return size > largest - position ? largest : position + size;
}

std::uint64_t RiffForm::EndFor(std::uint64_t size) {
    return AddPositions(RiffChunk::kHeaderSize, std::max<std::uint64_t>(size, 4));
}

std::uint64_t RiffChunk::Extent() const {
    return AddPositions(size, size % 2);
}

std::uint64_t RiffChunk::End() const {
    return AddPositions(start, Extent());
}

void ChunkCursor::ReadBytes(void* bytes, std::size_t count) {
    if (stream_.Read(bytes, count) != count)
        throw RiffReadError{stream_.AtEnd() ? RiffReadError::Kind::End : RiffReadError::Kind::Device};
}

std::string ChunkCursor::ReadId() {
    char id[4];
    ReadBytes(id, sizeof id);
    return {id, sizeof id};
}

std::uint16_t ChunkCursor::ReadLittleEndian16() {
    unsigned char bytes[2];
    ReadBytes(bytes, sizeof bytes);
    return ReadUint16LittleEndian(bytes);
}

std::uint32_t ChunkCursor::ReadLittleEndian32() {
    unsigned char bytes[4];
    ReadBytes(bytes, sizeof bytes);
    return ReadUint32LittleEndian(bytes);
}

std::uint64_t ChunkCursor::ReadLittleEndian64() {
    const std::uint64_t low = ReadLittleEndian32();
    return low | std::uint64_t{ReadLittleEndian32()} << 32;
}

RiffChunk ChunkCursor::ReadChunkHeader() {
    RiffChunk chunk;
    chunk.id = ReadId();
    chunk.size = ReadLittleEndian32();
    chunk.start = Position();
    return chunk;
}

bool ChunkCursor::HeaderFits() const {
    return Position() <= length_ && length_ - Position() >= RiffChunk::kHeaderSize;
}

void ChunkCursor::MoveTo(std::uint64_t position) {
    if (!stream_.Seek(position))
        throw RiffReadError{RiffReadError::Kind::Device};
}

std::uint64_t ChunkCursor::PresentBytes(const RiffChunk& chunk) const {
    return chunk.start >= length_ ? 0 : std::min(chunk.Extent(), length_ - chunk.start);
}

bool ChunkCursor::CopyPresentBytes(const RiffChunk& chunk, platform::OutputFile& out) {
    const std::uint64_t present = PresentBytes(chunk);
    return stream_.Seek(chunk.start) && stream_.CopyTo(out, present) == present;
}

}  // namespace kitvane
