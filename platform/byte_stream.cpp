// The copy through memory that any stream can make, and the in-memory stream; the file streams live in
// the platform's own file.
#include "platform/byte_stream.h"

#include <algorithm>
#include <cstring>
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

}  // namespace kitvane::platform
