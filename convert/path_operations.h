#pragma once
// Small operations on backslash-separated path text, used across the whole system.
#include <string>

namespace kitvane {

// The text before the last "\", one trailing "\" then removed; a path without "\" unchanged.
std::string FolderOfPath(const std::string& path);
// The text after the last "\"; a path without "\" unchanged.
std::string FileNameOfPath(const std::string& path);
// The text before the last "."; a name without "." unchanged. Meant for file names, not paths.
std::string StripExtension(const std::string& name);
// True when the path names an existing file or folder.
bool PathExists(const std::string& path);

// False for a sample reference that would leave the library folder: an absolute path (leading "\" or
// "/", or a drive such as "C:") or one with a ".." component. Such a reference is never read or copied.
bool StaysInsideLibrary(const std::string& reference);

enum class PathKind { Folder, File };
// Creates the folders along the path (and, for a folder path, the folder itself). Returns whether the
// final folder exists afterwards. Failures on the way are ignored: "D:" or an existing folder fail.
bool CreateFolders(const std::string& path, PathKind kind);

}  // namespace kitvane
