// The copy through memory that any stream can make, and the in-memory stream; the file streams live in
// the platform's own file.
#include "platform/byte_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace kitvane::platform {

namespace {

// The most that a copy through memory holds at once, whatever the size copied.
constexpr std::uint64_t kCopyBlockSize = 1 << 20;

}  // namespace

std::uint64_t InputStream::CopyTo(OutputFile& out, std::uint64_t count) {
    std::vector<char> block(static_cast<std::size_t>(std::min(count, kCopyBlockSize)));
    std::uint64_t copied = 0;
    while (copied < count) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(count - copied, block.size()));
        const std::size_t got = Read(block.data(), wanted);
        if (got > 0 && !out.Write(block.data(), got))
            break;
        copied += got;
        if (got < wanted)
            break;
    }
    return copied;
}

std::size_t MemoryInputStream::Read(void* buffer, std::size_t count) {
    const std::uint64_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const std::size_t done = static_cast<std::size_t>(std::min<std::uint64_t>(count, available));
    if (done > 0)
        std::memcpy(buffer, bytes_.data() + position_, done);
    position_ += done;
    if (done < count)
        atEnd_ = true;
    return done;
}

bool MemoryInputStream::Seek(std::uint64_t position) {
    position_ = position;
    atEnd_ = false;
    return true;
}

bool CopyStreamNoReplace(InputStream& source, const std::string& destination) {
    const std::unique_ptr<OutputFile> out = CreateOutputFile(destination);
    if (out == nullptr || !source.Seek(0))
        return false;
    // Copied to the end, however long the file has become: a copy cut short by a failing read never
    // gets the name.
    source.CopyTo(*out, std::numeric_limits<std::uint64_t>::max());
    return source.AtEnd() && out->Commit(OutputFile::Mode::NoReplace);
}

bool BufferedInputStream::Holds(std::uint64_t position) const {
    return position >= blockStart_ && position - blockStart_ < block_.size();
}

bool BufferedInputStream::MoveInnerTo(std::uint64_t position) {
    return inner_.Tell() == position || inner_.Seek(position);
}

bool BufferedInputStream::Refill() {
    block_.clear();
    if (!MoveInnerTo(position_))
        return false;
    block_.resize(blockSize_);
    block_.resize(inner_.Read(block_.data(), blockSize_));
    blockStart_ = position_;
    return !block_.empty();
}

std::size_t BufferedInputStream::Read(void* buffer, std::size_t count) {
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count && (Holds(position_) || Refill())) {
        const auto offset = static_cast<std::size_t>(position_ - blockStart_);
        const std::size_t taken = std::min(count - done, block_.size() - offset);
        std::memcpy(out + done, block_.data() + offset, taken);
        done += taken;
        position_ += taken;
    }
    // Short because the underlying stream ended, or because it failed: it knows which.
    if (done < count)
        atEnd_ = inner_.AtEnd();
    return done;
}

bool BufferedInputStream::Seek(std::uint64_t position) {
    if (!Holds(position) && !MoveInnerTo(position))
        return false;
    position_ = position;
    atEnd_ = false;
    return true;
}

std::uint64_t BufferedInputStream::CopyTo(OutputFile& out, std::uint64_t count) {
    if (!MoveInnerTo(position_))
        return 0;
    const std::uint64_t copied = inner_.CopyTo(out, count);
    position_ += copied;
    atEnd_ = inner_.AtEnd();
    return copied;
}

}  // namespace kitvane::platform
