#include "platform/path_text.h"

#include <algorithm>

namespace kitvane::platform {
namespace {

std::string Replaced(std::string_view text, char from, char to) {
    std::string result(text);
#ifndef _WIN32
    std::replace(result.begin(), result.end(), from, to);
#else
    (void)from;
    (void)to;
#endif
    return result;
}

}  // namespace

std::string ToNativePath(std::string_view pathText) { return Replaced(pathText, '\\', '/'); }

std::string FromNativePath(std::string_view nativePath) { return Replaced(nativePath, '/', '\\'); }

std::string ForDisplay(std::string_view text) { return Replaced(text, '\\', '/'); }

}  // namespace kitvane::platform
