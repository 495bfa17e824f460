#pragma once
// Path text: the core names files with backslash-separated text on every platform. These functions are
// the only place where that text meets the operating system's own form.
#include <string>
#include <string_view>

namespace kitvane::platform {

// Path text as the operating system wants it: unchanged on Windows; on POSIX every "\" becomes "/".
std::string ToNativePath(std::string_view pathText);

// The reverse, for paths the user or the system hands us: every "/" becomes "\" (on Windows, where both
// separate folders, as well as on POSIX).
std::string FromNativePath(std::string_view nativePath);

// Path text as the user should read it: on POSIX every "\" is shown as "/".
std::string ForDisplay(std::string_view text);

}  // namespace kitvane::platform
