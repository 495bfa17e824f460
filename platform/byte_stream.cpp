// The in-memory stream; the file streams live in the platform's own file.
#include "platform/byte_stream.h"

#include <algorithm>
#include <cstring>

namespace kitvane::platform {

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
