#include "platform/path_text.h"

#include <algorithm>

namespace kitvane::platform {
namespace {

std::string Replaced(std::string_view text, char from, char to) {
    std::string result(text);
    std::replace(result.begin(), result.end(), from, to);
    return result;
}

}  // namespace

#ifdef _WIN32

std::string ToNativePath(std::string_view pathText) {
    return std::string(pathText);
}

// Windows takes "/" as a separator too; path text has only "\".
std::string FromNativePath(std::string_view nativePath) {
    return Replaced(nativePath, '/', '\\');
}

std::string ForDisplay(std::string_view text) {
    return std::string(text);
}

#else

std::string ToNativePath(std::string_view pathText) {
    return Replaced(pathText, '\\', '/');
}

std::string FromNativePath(std::string_view nativePath) {
    return Replaced(nativePath, '/', '\\');
}

std::string ForDisplay(std::string_view text) {
    return Replaced(text, '\\', '/');
}

#endif

}  // namespace kitvane::platform
