#include "riff/riff_editor.h"

#include <algorithm>

#include "riff/little_endian.h"

namespace kitvane {
namespace {

// Zero bytes that make up a truncated chunk are written from a buffer of this size at most.
constexpr std::uint64_t kZeroBlockSize = 1 << 20;
// A truncated chunk's present bytes are counted through a smaller one: its size is only a claim.
constexpr std::uint64_t kCountBlockSize = 1 << 16;

// "meta", its size 4, then the tempo: no pad byte follows.
constexpr std::uint32_t kTempoChunkSize = 12;

bool HasType(const std::string& id) {
    return id == "RIFF" || id == "LIST";
}

std::string TempoChunk(std::uint32_t beatsPerMinute) {
    std::string chunk = "meta";
    AppendUint32LittleEndian(chunk, 4);
    AppendUint32LittleEndian(chunk, beatsPerMinute * 1000);
    return chunk;
}

bool WriteText(platform::OutputFile& out, const std::string& bytes) {
    return out.Write(bytes.data(), bytes.size());
}

}  // namespace

bool RiffEditor::Open(const std::string& path) {
    return Open(platform::OpenForReading(path));
}

bool RiffEditor::Open(std::unique_ptr<platform::InputStream> source) {
    Close();
    source_ = std::move(source);
    if (source_ != nullptr && ReadRiffHeader())
        return true;
    source_.reset();
    return false;
}

bool RiffEditor::ReadRiffHeader() {
    stack_.clear();
    chunks_.clear();
    if (source_ == nullptr || !source_->Seek(0))
        return false;
    ChunkHeader header = ReadChunkHeader();
    if (source_->AtEnd() || header.id != "RIFF")
        return false;
    riffHeader_ = header;
    stack_.push_back(std::move(header));
    return true;
}

RiffEditor::ChunkHeader RiffEditor::ReadChunkHeader() {
    unsigned char bytes[8] = {};
    source_->Read(bytes, sizeof bytes);
    ChunkHeader header;
    header.id.assign(reinterpret_cast<const char*>(bytes), 4);
    header.size = ReadUint32LittleEndian(bytes + 4);
    if (HasType(header.id)) {
        char type[4] = {};
        source_->Read(type, sizeof type);
        header.formType.assign(type, sizeof type);
        // A stored size below 4 can't even hold the type; it counts as empty rather than wrapping.
        header.size = header.size < 4 ? 0 : header.size - 4;
    }
    header.dataStart = source_->Tell();
    header.dataEnd = header.dataStart + header.size;
    if (header.dataEnd % 2 != 0)
        ++header.dataEnd;
    return header;
}

bool RiffEditor::NextChunk() {
    if (stack_.empty())
        return false;
    if (!source_->AtEnd() && source_->Tell() < stack_.back().dataEnd) {
        ChunkHeader header = ReadChunkHeader();
        if (!source_->AtEnd()) {
            stack_.push_back(std::move(header));
            return true;
        }
    }
    source_->Seek(stack_.back().dataStart);
    return false;
}

void RiffEditor::CollectChunks() {
    if (stack_.empty() || stack_.back().id != "RIFF")
        return;
    while (NextChunk()) {
        chunks_.push_back(stack_.back());
        while (stack_.size() >= 2) {
            source_->Seek(stack_.back().dataEnd);
            stack_.pop_back();
        }
    }
}

bool RiffEditor::WriteWithTempo(const std::string& destination, std::uint32_t beatsPerMinute) {
    if (!CanWrite())
        return false;
    const auto out = platform::CreateOutputFile(destination);
    return out != nullptr && WriteWithTempo(*out, beatsPerMinute);
}

bool RiffEditor::WriteWithTempo(platform::OutputFile& out, std::uint32_t beatsPerMinute) {
    if (!CanWrite() || !source_->Seek(0))
        return false;
    const auto dataChunks = std::count_if(chunks_.begin(), chunks_.end(),
                                          [](const ChunkHeader& chunk) { return chunk.id == "data"; });
    std::string head = riffHeader_.id;
    AppendUint32LittleEndian(head,
                             riffHeader_.size + 4 + kTempoChunkSize * static_cast<std::uint32_t>(dataChunks));
    head += riffHeader_.formType;
    if (!WriteText(out, head))
        return false;

    for (const ChunkHeader& chunk : chunks_) {
        std::string header = chunk.id == "data" ? TempoChunk(beatsPerMinute) : std::string();
        header += chunk.id;
        if (chunk.formType.empty()) {
            AppendUint32LittleEndian(header, chunk.size);
        } else {
            AppendUint32LittleEndian(header, chunk.size + 4);
            header += chunk.formType;
        }
        if (!WriteText(out, header) || !CopyContent(chunk, out))
            return false;
    }
    return out.Commit(platform::OutputFile::Mode::Replace);
}

bool RiffEditor::OverrunsSource() {
    if (source_ == nullptr || chunks_.empty())
        return false;
    const ChunkHeader& last = chunks_.back();
    const std::uint64_t length = std::uint64_t{last.size} + last.size % 2;
    const std::uint64_t present = PresentBytes(last.dataStart, length);
    return length - present > last.dataStart + present;
}

bool RiffEditor::CanWrite() {
    return source_ != nullptr && !OverrunsSource();
}

// How many of count bytes from start the source holds: one probe of the last byte when the chunk is
// complete, as it normally is; otherwise the bytes that are there are counted.
std::uint64_t RiffEditor::PresentBytes(std::uint64_t start, std::uint64_t count) {
    char byte = 0;
    if (count == 0 || (source_->Seek(start + count - 1) && source_->Read(&byte, 1) == 1))
        return count;
    if (!source_->Seek(start))
        return 0;
    std::vector<char> block(static_cast<std::size_t>(std::min(count, kCountBlockSize)));
    std::uint64_t present = 0;
    while (present < count) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(count - present, block.size()));
        const std::size_t got = source_->Read(block.data(), wanted);
        present += got;
        if (got < wanted)
            break;
    }
    return present;
}

// Copies the content and its pad byte. Past the end of the source the copy goes on with zero bytes,
// written in bounded blocks; any other short copy (a read or write failure) ends it.
bool RiffEditor::CopyContent(const ChunkHeader& chunk, platform::OutputFile& out) {
    if (!source_->Seek(chunk.dataStart))
        return false;
    const std::uint64_t length = std::uint64_t{chunk.size} + chunk.size % 2;
    const std::uint64_t copied = source_->CopyTo(out, length);
    if (copied < length && !source_->AtEnd())
        return false;
    std::uint64_t missing = length - copied;
    const std::vector<char> zeros(static_cast<std::size_t>(std::min(missing, kZeroBlockSize)));
    while (missing > 0) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(missing, zeros.size()));
        if (!out.Write(zeros.data(), count))
            return false;
        missing -= count;
    }
    return true;
}

void RiffEditor::Close() {
    source_.reset();
    stack_.clear();
    chunks_.clear();
}

}  // namespace kitvane
