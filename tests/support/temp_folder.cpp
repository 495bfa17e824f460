#include "tests/support/temp_folder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "platform/path_text.h"

namespace kitvane::testing {
namespace fs = std::filesystem;

namespace {

// Path text is UTF-8 on every platform; a plain std::string would be read in the ANSI code page on Windows.
fs::path NativeOf(const std::string& pathText) {
    const std::string native = platform::ToNativePath(pathText);
    return fs::path(std::u8string(native.begin(), native.end()));
}

std::string TextOf(const fs::path& native) {
    const std::u8string text = native.u8string();
    return platform::FromNativePath(std::string(text.begin(), text.end()));
}

}  // namespace

TempFolder::TempFolder() {
    // A random name that no other test took: create_directory is true only for the one who made it.
    static std::mt19937_64 random{std::random_device{}()};
    const fs::path base = fs::temp_directory_path();
    fs::path made;
    std::error_code ignored;
    do {
        char name[40];
        std::snprintf(name, sizeof name, "kitvane-test-%012llx",
                      static_cast<unsigned long long>(random() >> 16));
        made = base / name;
    } while (!fs::create_directory(made, ignored) && fs::exists(made, ignored));
    path_ = TextOf(made);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Give back write permission first, so tests that make folders read-only still clean up.
    for (auto it = fs::recursive_directory_iterator(NativeOf(path_), ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
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
