#pragma once
// The RIFF chunk editor: lists the top-level chunks of a RIFF file and writes a copy of it with a tempo
// chunk ("meta", 4 bytes: beats per minute times 1000) placed directly before each "data" chunk. Chunk
// content is copied as bytes, never interpreted.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/byte_stream.h"

namespace kitvane {

class RiffEditor {
public:
    struct ChunkHeader {
        std::string id;          // the four id characters as stored
        std::uint32_t size = 0;  // as stored; for "RIFF" and "LIST" less 4, counting what follows the type
        std::string formType;    // the form type of "RIFF" or the list type of "LIST"; empty otherwise
        // Positions are 64-bit so that no stored size can wrap them: the walk always moves forward.
        std::uint64_t dataStart = 0;  // where the content begins (after the type for "RIFF" and "LIST")
        std::uint64_t dataEnd = 0;    // dataStart + size, rounded up to even (the pad byte)
    };

    RiffEditor() = default;
    RiffEditor(const RiffEditor&) = delete;
    RiffEditor& operator=(const RiffEditor&) = delete;
    ~RiffEditor() { Close(); }

    // Opens the file at path (path text), or takes a stream, and reads its RIFF header. False, and no
    // source held, when it can't be opened or doesn't begin with a complete "RIFF" header.
    bool Open(const std::string& path);
    bool Open(std::unique_ptr<platform::InputStream> source);

    // Starts over at position 0: empties the stack and the chunk list, reads the first header and
    // pushes it. False on a failed seek, a short file or an id other than "RIFF".
    bool ReadRiffHeader();
    // Reads one header at the current position; after a short read the source is at its end.
    ChunkHeader ReadChunkHeader();
    // Reads the next header inside the chunk on top of the stack and pushes it. False when that chunk
    // is exhausted or the source ends; the source then returns to the top chunk's dataStart.
    bool NextChunk();
    // Fills the chunk list with the top-level chunks inside the RIFF size, not entering "LIST" chunks.
    void CollectChunks();
    // Writes the copy with tempo chunks to destination, replacing it only once the copy is complete.
    // Content the source can't supply (a truncated last chunk) is written as zero bytes. False, with the
    // destination untouched, when there is no source, the source overruns (below) or anything fails.
    bool WriteWithTempo(const std::string& destination, std::uint32_t beatsPerMinute);
    // The same copy into an output file the caller made, committed over its destination when complete.
    bool WriteWithTempo(platform::OutputFile& out, std::uint32_t beatsPerMinute);
    // True when the last chunk needs more zero bytes to be complete than the whole source holds: a file
    // of a few bytes may claim a 4 GiB chunk, and padding it out could fill the disk.
    bool OverrunsSource();
    // Releases the source, the stack and the chunk list.
    void Close();

    const std::vector<ChunkHeader>& Chunks() const { return chunks_; }

private:
    bool CanWrite();
    bool CopyContent(const ChunkHeader& chunk, platform::OutputFile& out);
    std::uint64_t PresentBytes(std::uint64_t start, std::uint64_t count);

    std::unique_ptr<platform::InputStream> source_;
    ChunkHeader riffHeader_;
    std::vector<ChunkHeader> stack_;
    std::vector<ChunkHeader> chunks_;
};

}  // namespace kitvane
