#include "convert/path_operations.h"

#include "platform/file_system.h"

namespace kitvane {

std::string FolderOfPath(const std::string& path) {
    const auto slash = path.rfind('\\');
    if (slash == std::string::npos)
        return path;
    std::string folder = path.substr(0, slash);
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string FileNameOfPath(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string StripExtension(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool PathExists(const std::string& path) {
    return platform::StatusOf(path).exists;
}

bool StaysInsideLibrary(const std::string& reference) {
    if (reference.empty())
        return true;
    if (reference.front() == '\\' || reference.front() == '/' || reference.find(':') != std::string::npos) {
        return false;
    }
    std::size_t start = 0;
    while (start <= reference.size()) {
        const auto end = reference.find_first_of("\\/", start);
        const auto length = (end == std::string::npos ? reference.size() : end) - start;
        if (reference.compare(start, length, "..") == 0 && length == 2)
            return false;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return true;
}

namespace {

// Makes the folder after its missing parents, looking from the deepest folder up, so that a folder that
// is there already costs one status query and a missing one a query and a creation per missing level.
// A path with no parent left ("D:", or the POSIX root) is there or not.
bool MakeFolder(const std::string& folder) {
    if (platform::StatusOf(folder).isDirectory)
        return true;
    const auto slash = folder.rfind('\\');
    if (slash != std::string::npos && slash > 0)
        MakeFolder(folder.substr(0, slash));
    return platform::CreateFolder(folder) || platform::StatusOf(folder).isDirectory;
}

}  // namespace

bool CreateFolders(const std::string& path, PathKind kind) {
    if (kind == PathKind::Folder)
        return MakeFolder(path);
    const auto slash = path.rfind('\\');
    return slash != std::string::npos && slash > 0 && MakeFolder(path.substr(0, slash));
}

}  // namespace kitvane
