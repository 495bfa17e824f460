#include "platform/temporary_names.h"

#include <charconv>
#include <cstdio>
#include <mutex>
#include <set>

namespace kitvane::platform {
namespace {

constexpr std::string_view kTemporaryMark = ".kvtmp-";

}  // namespace

std::string TemporaryNameFor(std::string_view name, long pid, std::uint64_t random) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, "%s%ld-%016llx", kTemporaryMark.data(), pid,
                  static_cast<unsigned long long>(random));
    return "." + std::string(name) + suffix;
}

std::optional<long> WriterOfTemporary(std::string_view name) {
    const auto mark = name.rfind(kTemporaryMark);
    if (name.empty() || name.front() != '.' || mark == std::string_view::npos || mark < 2) {
        return std::nullopt;
    }
    const std::string_view tail = name.substr(mark + kTemporaryMark.size());
    const auto dash = tail.find('-');
    if (dash == std::string_view::npos || tail.size() - dash - 1 != 16)
        return std::nullopt;
    for (const char c : tail.substr(dash + 1)) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return std::nullopt;
    }
    long pid = 0;
    const auto [end, error] = std::from_chars(tail.data(), tail.data() + dash, pid);
    if (error != std::errc() || end != tail.data() + dash || pid <= 0)
        return std::nullopt;
    return pid;
}

bool FirstWriteInto(const std::string& nativeFolder) {
    static std::mutex guard;
    static std::set<std::string> swept;
    const std::lock_guard<std::mutex> lock(guard);
    return swept.insert(nativeFolder).second;
}

}  // namespace kitvane::platform
