#pragma once
// The tempo writer: copies a RIFF file with a tempo chunk ("meta", 4 bytes: beats per minute times 1000)
// placed directly before each "data" chunk. Every top-level chunk inside the RIFF size is copied in
// order, its content and pad byte as bytes, never interpreted.
#include <cstdint>
#include <string>

#include "platform/byte_stream.h"

namespace kitvane {

// What became of one tagged copy.
enum class TempoTagging {
    Written,   // the tagged copy is in place
    Refused,   // the source can't be tagged whole; nothing was written
    NotSaved,  // the source could be tagged, but writing the copy failed (a full disk); nothing was written
};

// Writes the tagged copy of source to destination (path text), replacing the destination only once the
// copy is complete. Refused, with the destination untouched, when the source can't be tagged whole: it
// can't be read, it is not a RIFF file, its last chunk is short of more bytes than the whole file holds
// (padding it out with zero bytes could fill a disk), or a "data" chunk lies beyond the RIFF size (the
// copy would lose the audio); also when reading fails on the way. A chunk short of fewer bytes is
// completed with zero bytes.
TempoTagging WriteWithTempo(const std::string& source, const std::string& destination,
                            std::uint32_t beatsPerMinute);
// The same from a stream into an output file the caller made, committed over its destination when Written.
TempoTagging WriteWithTempo(platform::InputStream& source, platform::OutputFile& out,
                            std::uint32_t beatsPerMinute);

}  // namespace kitvane
