#pragma once
// Raw byte streams with seek and tell: the seam through which the binary readers reach files, so that
// tests and fuzzers can feed bytes from memory instead.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kitvane::platform {

class OutputFile;

class InputStream {
public:
    virtual ~InputStream() = default;
    // Reads up to count bytes; returns how many were read. A short read at the end sets AtEnd.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Moves the position; seeking beyond the end succeeds. A successful seek clears AtEnd.
    virtual bool Seek(std::uint64_t position) = 0;
    virtual std::uint64_t Tell() const = 0;
    // The length of what the stream reads, as it stands now.
    virtual std::uint64_t Length() const = 0;
    // True once a read came short because the end was reached (like feof).
    virtual bool AtEnd() const = 0;
    // Copies up to count bytes from the position into out, in bounded blocks or by the platform's own
    // copy path, and returns how many were copied; the position moves past them. A copy cut short by
    // the end sets AtEnd, as a short read does; one cut short by a failed write leaves AtEnd clear.
    virtual std::uint64_t CopyTo(OutputFile& out, std::uint64_t count);
};

// A stream over bytes held in memory.
class MemoryInputStream final : public InputStream {
public:
    explicit MemoryInputStream(std::string bytes) : bytes_(std::move(bytes)) {}
    std::size_t Read(void* buffer, std::size_t count) override;
    bool Seek(std::uint64_t position) override;
    std::uint64_t Tell() const override { return position_; }
    std::uint64_t Length() const override { return bytes_.size(); }
    bool AtEnd() const override { return atEnd_; }

private:
    std::string bytes_;
    std::uint64_t position_ = 0;
    bool atEnd_ = false;
};

// Reads another stream through a buffer of one block, so that a walk that takes a few bytes at a time
// and skips short distances (a chunk walk through a file's header) costs one read of the underlying
// file per block. Reads and copies go on from where this stream stands; the underlying stream is not
// to be used meanwhile.
class BufferedInputStream final : public InputStream {
public:
    static constexpr std::size_t kDefaultBlockSize = 4096;
    explicit BufferedInputStream(InputStream& inner, std::size_t blockSize = kDefaultBlockSize)
        : inner_(inner), blockSize_(blockSize) {}
    std::size_t Read(void* buffer, std::size_t count) override;
    bool Seek(std::uint64_t position) override;
    std::uint64_t Tell() const override { return position_; }
    std::uint64_t Length() const override { return inner_.Length(); }
    bool AtEnd() const override { return atEnd_; }
    std::uint64_t CopyTo(OutputFile& out, std::uint64_t count) override;

private:
    bool Holds(std::uint64_t position) const;
    // Reads the block at the position; false when nothing could be read there.
    bool Refill();
    bool MoveInnerTo(std::uint64_t position);

    InputStream& inner_;
    std::size_t blockSize_;
    std::string block_;
    std::uint64_t blockStart_ = 0;
    std::uint64_t position_ = 0;
    bool atEnd_ = false;
};

// Opens a file for reading raw bytes, shared with other readers. Null when it can't be opened.
std::unique_ptr<InputStream> OpenForReading(const std::string& path);

// Where a written file goes: the bytes collect in a temporary file beside the destination and appear
// under the destination name only at Commit. Destroying an uncommitted file leaves no trace.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual bool Write(const void* bytes, std::size_t count) = 0;
    enum class Mode { Replace, NoReplace };
    // Publishes the bytes under the destination name. NoReplace fails when the destination exists.
    virtual bool Commit(Mode mode) = 0;
    // The platform's description of the first failure, empty when none.
    virtual std::string ErrorText() const = 0;
};

// Null when no file can be made in the destination's folder.
std::unique_ptr<OutputFile> CreateOutputFile(const std::string& destination);

// Copies the whole of source, from its start, to destination without ever replacing an existing file;
// the copy appears under the destination name only when complete. False when the destination exists
// or anything fails; then nothing is left behind.
bool CopyStreamNoReplace(InputStream& source, const std::string& destination);

}  // namespace kitvane::platform
