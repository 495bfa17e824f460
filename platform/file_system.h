#pragma once
// The file system, as the core sees it. Every path argument is path text (see path_text.h); nothing here
// throws. Failures are reported by the return value only, because the callers pass most of them over.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kitvane::platform {

struct FileStatus {
    bool exists = false;
    bool isDirectory = false;
    std::uint64_t size = 0;
};

// File-status query. A link is followed; a dangling link does not exist.
FileStatus StatusOf(const std::string& path);

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;  // the directory bit, following links
};

// The entries of one folder, without "." and "..", sorted by name compared after upper-casing ASCII
// letters, ties by the raw bytes: the order NTFS gives for ASCII names, on every platform.
// An unreadable or missing folder gives no entries.
std::vector<DirectoryEntry> ListDirectory(const std::string& folder);

// Identity of the folder a path leads to (after links), so a search can tell that a link leads back
// into a folder it is already inside. Empty when the path can't be queried.
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t node = 0;
    bool operator==(const FolderIdentity&) const = default;
};
std::optional<FolderIdentity> IdentityOf(const std::string& path);

// Creates one folder (not its parents). False when it was not created, also when it already exists.
bool CreateFolder(const std::string& path);

// Removes a file (not a folder). False when it was not removed.
bool RemoveFile(const std::string& path);

// Removes a folder only when it is empty. False when it was not removed.
bool RemoveEmptyFolder(const std::string& path);

// The nearest folder that exists on the way up from path (path itself when it is one); empty when none
// does.
std::string NearestExistingFolder(const std::string& path);

// The bytes this process may still write on the disk that holds path, or that will hold it once made:
// the disk of its nearest existing folder. Empty when the disk can't be queried.
std::optional<std::uint64_t> FreeSpaceAt(const std::string& path);

// Copies a file without ever replacing an existing destination. The copy appears under the destination
// name only when it is complete. False when the destination exists or anything fails.
bool CopyFileNoReplace(const std::string& source, const std::string& destination);

// The whole content of a file; empty optional when it can't be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

struct WriteResult {
    enum class Status { Written, NotCreated, Failed };
    Status status = Status::Written;
    std::string errorText;  // the platform's description of the failure, for Failed
};

// Replaces the destination with the bytes, atomically: the bytes go to a temporary file beside the
// destination, which is renamed over it once complete. NotCreated when the file can't be made at all
// (missing folder, no permission); Failed when writing failed part-way (disk full); in both cases the
// destination is left as it was.
WriteResult ReplaceFileContent(const std::string& destination, const std::string& bytes);

// The path text made absolute against the current folder; unchanged when it is absolute already.
std::string AbsolutePath(const std::string& pathText);

// The folder that holds the running executable, links resolved, as path text without trailing "\".
std::string ExecutableFolder();

}  // namespace kitvane::platform
