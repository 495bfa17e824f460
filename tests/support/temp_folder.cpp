#include "tests/support/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <stdlib.h>

#include "platform/path_text.h"

namespace kitvane::testing {
namespace fs = std::filesystem;

namespace {

fs::path NativeOf(const std::string& pathText) { return fs::path(platform::ToNativePath(pathText)); }

}  // namespace

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "kitvane-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const char* made = mkdtemp(buffer.data());
    path_ = platform::FromNativePath(made != nullptr ? made : pattern);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Give back write permission first, so tests that make folders read-only still clean up.
    for (auto it = fs::recursive_directory_iterator(NativeOf(path_), ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(NativeOf(path_), ignored);
}

std::string TempFolder::PathOf(const std::string& relative) const {
    std::string text = relative;
    std::replace(text.begin(), text.end(), '/', '\\');
    return path_ + "\\" + text;
}

std::string TempFolder::WriteFile(const std::string& relative, const std::string& bytes) const {
    const std::string pathText = PathOf(relative);
    const fs::path native = NativeOf(pathText);
    fs::create_directories(native.parent_path());
    std::ofstream(native, std::ios::binary) << bytes;
    return pathText;
}

std::string TempFolder::MakeFolder(const std::string& relative) const {
    const std::string pathText = PathOf(relative);
    fs::create_directories(NativeOf(pathText));
    return pathText;
}

std::string ReadFileBytes(const std::string& pathText) {
    std::ifstream in(NativeOf(pathText), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace kitvane::testing
