#pragma once
// A fresh folder for one test, removed with everything in it when the test ends, and helpers to fill it.
#include <string>

namespace kitvane::testing {

class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // The folder as path text (backslashes), as the core names it.
    const std::string& Path() const { return path_; }
    // path text of a file or folder below it; relative uses "\" or "/".
    std::string PathOf(const std::string& relative) const;
    // Writes a file below the folder, making its folders; relative uses "\" or "/".
    std::string WriteFile(const std::string& relative, const std::string& bytes = "") const;
    std::string MakeFolder(const std::string& relative) const;

private:
    std::string path_;
};

// The content of a file named by path text; empty when it can't be read.
std::string ReadFileBytes(const std::string& pathText);

}  // namespace kitvane::testing
