// Windows implementation of the file system and byte streams, on the wide-character API. Path text is
// UTF-8; at this boundary it becomes UTF-16, is made absolute and gets the "\\?\" prefix, so that paths of
// any length up to the system's limit of 32767 characters work.
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <string_view>
#include <utility>

#include "platform/byte_stream.h"
#include "platform/entry_order.h"
#include "platform/file_system.h"
#include "platform/temporary_names.h"

namespace kitvane::platform {
namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// ReadFile and WriteFile take a DWORD count; larger requests go in blocks of this size.
constexpr std::size_t kMaxTransfer = 1u << 30;

// UTF-8 to UTF-16. Empty when the text is empty or is not valid UTF-8, since a repaired name could
// lead to some other file.
std::wstring Widened(std::string_view text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

// UTF-16 to UTF-8. Empty for text holding an unpaired surrogate (NTFS allows them in names): path text
// could not name that file again.
std::string Narrowed(std::wstring_view wide) {
    if (wide.empty() || wide.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size, text.data(), length, nullptr,
                          nullptr);
    return text;
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "D:" alone: the drive's root, the form in which a dropped or picked "D:\" is kept.
bool IsBareDrive(std::string_view text) {
    return text.size() == 2 && IsDriveLetter(text[0]) && text[1] == ':';
}

// Absolute in this system's sense: a drive with its root ("D:\...", or "D:" for the root itself) or a
// network path ("\\server\share\...").
bool IsAbsolute(std::string_view text) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (IsBareDrive(text))
        return true;
    if (text.size() >= 3 && IsDriveLetter(text[0]) && text[1] == ':' && separator(text[2]))
        return true;
    return text.size() >= 2 && separator(text[0]) && separator(text[1]);
}

// The system's full form of a path: absolute, "/" turned into "\", "." and ".." resolved. Empty on failure.
std::wstring FullPathOf(const std::wstring& wide) {
    DWORD capacity = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    while (capacity > 0) {
        std::wstring full(capacity, L'\0');
        const DWORD length = ::GetFullPathNameW(wide.c_str(), capacity, full.data(), nullptr);
        if (length == 0)
            break;
        if (length < capacity) {
            full.resize(length);
            return full;
        }
        capacity = length;  // the current folder changed in between; try with the new size
    }
    return {};
}

// Path text as the wide, prefixed path that the file functions are given. Empty when it names nothing.
std::wstring SystemPath(const std::string& pathText) {
    std::wstring wide = Widened(pathText);
    if (wide.empty() || StartsWith(wide, kLongPrefix))
        return wide;
    if (IsBareDrive(pathText))
        wide += L'\\';
    std::wstring full = FullPathOf(wide);
    if (full.empty())
        return {};
    if (StartsWith(full, L"\\\\.\\"))
        return full;  // a device such as NUL stays as the system named it
    if (StartsWith(full, L"\\\\"))
        return std::wstring(kLongUncPrefix) + full.substr(2);
    return std::wstring(kLongPrefix) + full;
}

// A system path without its long-path prefix, as the user knows it.
std::wstring WithoutLongPrefix(const std::wstring& path) {
    if (StartsWith(path, kLongUncPrefix))
        return L"\\\\" + path.substr(kLongUncPrefix.size());
    if (StartsWith(path, kLongPrefix))
        return path.substr(kLongPrefix.size());
    return path;
}

// The folder part of a system path, with its closing "\".
std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// The system's description of an error code, without its closing line end.
std::string SystemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    const DWORD length =
        ::FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = length > 0 ? Narrowed(std::wstring_view(buffer, length)) : std::string();
    if (buffer != nullptr)
        ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    if (text.empty())
        text = "Windows error " + std::to_string(code);
    return text;
}

bool IsDirectory(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsLink(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    Handle(Handle&& other) noexcept : handle_(other.Release()) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = other.Release();
        }
        return *this;
    }
    ~Handle() { Close(); }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
    // False when closing failed, which for a written file can mean that its last bytes were lost.
    bool Close() {
        if (!valid())
            return true;
        const bool closed = ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// Opens a file or folder for reading its facts only; a link is followed to what it leads to.
Handle OpenForQuery(const std::wstring& systemPath) {
    return Handle(::CreateFileW(systemPath.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

std::optional<BY_HANDLE_FILE_INFORMATION> InformationOf(const std::wstring& systemPath) {
    const Handle handle = OpenForQuery(systemPath);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!handle.valid() || !::GetFileInformationByHandle(handle.get(), &information))
        return std::nullopt;
    return information;
}

std::uint64_t Combined(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

FileStatus StatusOfSystemPath(const std::wstring& systemPath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (systemPath.empty() || !::GetFileAttributesExW(systemPath.c_str(), GetFileExInfoStandard, &data))
        return {};
    if (IsLink(data.dwFileAttributes)) {
        // The attributes above are the link's own; those of its target need the file opened.
        const auto information = InformationOf(systemPath);
        if (!information)
            return {};
        return {true, IsDirectory(information->dwFileAttributes),
                Combined(information->nFileSizeHigh, information->nFileSizeLow)};
    }
    return {true, IsDirectory(data.dwFileAttributes), Combined(data.nFileSizeHigh, data.nFileSizeLow)};
}

// Opens a file for reading raw bytes only when it is a file on a disk (a link to one included): a pipe
// or a device such as CON would block or never end, so it counts as unreadable. A folder doesn't open.
Handle OpenForReadingBytes(const std::wstring& systemPath) {
    if (systemPath.empty())
        return Handle();
    Handle handle(::CreateFileW(systemPath.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle.valid() && ::GetFileType(handle.get()) != FILE_TYPE_DISK)
        return Handle();
    return handle;
}

// Calls visit with the name of every entry of a folder (a system path ending in "\") but "." and "..".
template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW data{};
    const HANDLE search = ::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data,
                                             FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring_view name = data.cFileName;
        if (!name.empty() && name != L"." && name != L"..")
            visit(data);
    } while (::FindNextFileW(search, &data));
    ::FindClose(search);
}

bool IsRunning(long pid) {
    if (static_cast<DWORD>(pid) == ::GetCurrentProcessId())
        return true;
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr)
        return ::GetLastError() != ERROR_INVALID_PARAMETER;  // denied: it exists
    DWORD code = 0;
    const bool running = !::GetExitCodeProcess(process, &code) || code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

// Removes from a folder (a system path ending in "\") the temporary files whose writers are gone,
// the first time this process writes into it. Files of running writers stay.
void RemoveLeftoverTemporaries(const std::wstring& folder) {
    if (!FirstWriteInto(Narrowed(folder)))
        return;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAW& entry) {
        const auto writer = WriterOfTemporary(Narrowed(entry.cFileName));
        if (writer && !IsRunning(*writer))
            ::DeleteFileW((folder + entry.cFileName).c_str());
    });
}

// Reads up to count bytes, in as many calls as it takes; stops at the end or on the first failure.
std::size_t ReadUpTo(HANDLE handle, void* buffer, std::size_t count) {
    std::size_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        const DWORD request = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
        DWORD got = 0;
        if (!::ReadFile(handle, out + done, request, &got, nullptr) || got == 0)
            break;
        done += got;
    }
    return done;
}

class WindowsInputStream final : public InputStream {
public:
    explicit WindowsInputStream(HANDLE handle) : handle_(handle) {}
    std::size_t Read(void* buffer, std::size_t count) override {
        const std::size_t done = ReadUpTo(handle_.get(), buffer, count);
        position_ += done;
        if (done < count)
            atEnd_ = true;
        return done;
    }
    bool Seek(std::uint64_t position) override {
        if (position > static_cast<std::uint64_t>(std::numeric_limits<LONGLONG>::max()))
            return false;
        LARGE_INTEGER distance{};
        distance.QuadPart = static_cast<LONGLONG>(position);
        if (!::SetFilePointerEx(handle_.get(), distance, nullptr, FILE_BEGIN))
            return false;
        position_ = position;
        atEnd_ = false;
        return true;
    }
    std::uint64_t Tell() const override { return position_; }
    std::uint64_t Length() const override {
        LARGE_INTEGER size{};
        return ::GetFileSizeEx(handle_.get(), &size) && size.QuadPart > 0
                   ? static_cast<std::uint64_t>(size.QuadPart)
                   : 0;
    }
    bool AtEnd() const override { return atEnd_; }

private:
    Handle handle_;
    std::uint64_t position_ = 0;
    bool atEnd_ = false;
};

// A temporary file beside the destination, renamed to the destination at Commit: MoveFileExW replaces
// atomically on one volume and, without MOVEFILE_REPLACE_EXISTING, never replaces an existing file.
class WindowsOutputFile final : public OutputFile {
public:
    static std::unique_ptr<WindowsOutputFile> Create(const std::wstring& destination) {
        if (destination.empty())
            return nullptr;
        RemoveLeftoverTemporaries(FolderOf(destination));
        std::unique_ptr<WindowsOutputFile> file(new WindowsOutputFile(destination));
        file->handle_ = Handle(::CreateFileW(file->temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file->handle_.valid())
            return nullptr;
        return file;
    }

    ~WindowsOutputFile() override {
        handle_.Close();
        if (!committed_)
            ::DeleteFileW(temporary_.c_str());
    }

    bool Write(const void* bytes, std::size_t count) override {
        const auto* in = static_cast<const char*>(bytes);
        while (count > 0 && error_ == 0) {
            const DWORD request = static_cast<DWORD>(std::min(count, kMaxTransfer));
            DWORD put = 0;
            if (!::WriteFile(handle_.get(), in, request, &put, nullptr)) {
                error_ = ::GetLastError();
            } else if (put == 0) {
                error_ = ERROR_DISK_FULL;
            }
            in += put;
            count -= put;
        }
        return error_ == 0;
    }

    // Fills the temporary file with a whole copy of the source, by the system's own copy. The copy gets
    // plain attributes, as any file written here does, not the source's read-only or hidden ones.
    bool CopyFrom(const std::wstring& source) {
        if (error_ != 0)
            return false;
        if (!handle_.Close() ||
            !::CopyFileExW(source.c_str(), temporary_.c_str(), nullptr, nullptr, nullptr, 0) ||
            !::SetFileAttributesW(temporary_.c_str(), FILE_ATTRIBUTE_NORMAL)) {
            error_ = ::GetLastError();
        }
        return error_ == 0;
    }

    bool Commit(Mode mode) override {
        if (error_ != 0 || committed_)
            return false;
        if (!handle_.Close()) {
            error_ = ::GetLastError();
            return false;
        }
        committed_ = mode == Mode::Replace ? ReplaceDestination() : Publish(0);
        return committed_;
    }

    std::string ErrorText() const override { return error_ == 0 ? std::string() : SystemMessage(error_); }

private:
    explicit WindowsOutputFile(std::wstring destination)
        : destination_(std::move(destination)), temporary_(TemporaryNameBeside(destination_)) {}

    bool Publish(DWORD flags) {
        if (::MoveFileExW(temporary_.c_str(), destination_.c_str(), MOVEFILE_WRITE_THROUGH | flags))
            return true;
        error_ = ::GetLastError();
        return false;
    }

    // Windows refuses to rename over a file that another handle holds open, even one that allows its
    // deletion (this run reading the loop it rewrites, a player). Such a file is renamed aside, which
    // those handles allow, and deleted once the new file has its name; meanwhile the name is briefly free.
    // A file marked read-only is left as it is, as Windows leaves it (Wine would replace it).
    bool ReplaceDestination() {
        const DWORD attributes = ::GetFileAttributesW(destination_.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            error_ = ERROR_ACCESS_DENIED;
            return false;
        }
        if (Publish(MOVEFILE_REPLACE_EXISTING))
            return true;
        if ((error_ != ERROR_ACCESS_DENIED && error_ != ERROR_SHARING_VIOLATION) ||
            attributes == INVALID_FILE_ATTRIBUTES || IsDirectory(attributes)) {
            return false;
        }
        const std::wstring aside = TemporaryNameBeside(destination_);
        if (!::MoveFileExW(destination_.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH))
            return false;
        if (!Publish(0)) {
            ::MoveFileExW(aside.c_str(), destination_.c_str(), MOVEFILE_WRITE_THROUGH);
            return false;
        }
        error_ = 0;
        ::DeleteFileW(aside.c_str());
        return true;
    }

    static std::wstring TemporaryNameBeside(const std::wstring& destination) {
        static std::mt19937_64 random{std::random_device{}()};
        const std::wstring folder = FolderOf(destination);
        const std::string name = Narrowed(destination.substr(folder.size()));
        return folder + Widened(TemporaryNameFor(name, static_cast<long>(::GetCurrentProcessId()), random()));
    }

    std::wstring destination_;
    std::wstring temporary_;
    Handle handle_;
    DWORD error_ = 0;
    bool committed_ = false;
};

}  // namespace

FileStatus StatusOf(const std::string& path) {
    return StatusOfSystemPath(SystemPath(path));
}

std::vector<DirectoryEntry> ListDirectory(const std::string& folder) {
    std::vector<DirectoryEntry> entries;
    std::wstring native = SystemPath(folder);
    if (native.empty())
        return entries;
    if (native.back() != L'\\')
        native += L'\\';
    ForEachEntry(native, [&](const WIN32_FIND_DATAW& entry) {
        std::string name = Narrowed(entry.cFileName);
        if (name.empty())
            return;
        const bool isDirectory = IsLink(entry.dwFileAttributes)
                                     ? StatusOfSystemPath(native + entry.cFileName).isDirectory
                                     : IsDirectory(entry.dwFileAttributes);
        entries.push_back({std::move(name), isDirectory});
    });
    SortByEntryOrder(entries);
    return entries;
}

std::optional<FolderIdentity> IdentityOf(const std::string& path) {
    const std::wstring native = SystemPath(path);
    if (native.empty())
        return std::nullopt;
    const auto information = InformationOf(native);
    if (!information)
        return std::nullopt;
    return FolderIdentity{information->dwVolumeSerialNumber,
                          Combined(information->nFileIndexHigh, information->nFileIndexLow)};
}

bool CreateFolder(const std::string& path) {
    const std::wstring native = SystemPath(path);
    return !native.empty() && ::CreateDirectoryW(native.c_str(), nullptr) != 0;
}

bool CopyFileNoReplace(const std::string& source, const std::string& destination) {
    const std::wstring from = SystemPath(source);
    const std::wstring to = SystemPath(destination);
    if (from.empty() || to.empty())
        return false;
    RemoveLeftoverTemporaries(FolderOf(to));
    // Anything under the destination name, even a dangling link, is kept.
    if (::GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    // Only a file on a disk is copied: a pipe or a device would block the copy or never end.
    if (!OpenForReadingBytes(from).valid())
        return false;
    auto out = WindowsOutputFile::Create(to);
    return out != nullptr && out->CopyFrom(from) && out->Commit(OutputFile::Mode::NoReplace);
}

bool RemoveFile(const std::string& path) {
    const std::wstring native = SystemPath(path);
    return !native.empty() && ::DeleteFileW(native.c_str()) != 0;
}

bool RemoveEmptyFolder(const std::string& path) {
    const std::wstring native = SystemPath(path);
    return !native.empty() && ::RemoveDirectoryW(native.c_str()) != 0;
}

std::optional<std::uint64_t> FreeSpaceAt(const std::string& path) {
    const std::string folder = NearestExistingFolder(path);
    std::wstring native = folder.empty() ? std::wstring() : SystemPath(folder);
    if (native.empty())
        return std::nullopt;
    if (native.back() != L'\\')
        native += L'\\';  // a network share's root is named with its closing "\"
    ULARGE_INTEGER available{};
    if (!::GetDiskFreeSpaceExW(native.c_str(), &available, nullptr, nullptr))
        return std::nullopt;
    return available.QuadPart;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    const Handle in = OpenForReadingBytes(SystemPath(path));
    LARGE_INTEGER size{};
    if (!in.valid() || !::GetFileSizeEx(in.get(), &size))
        return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char block[1 << 16];
    while (true) {
        DWORD got = 0;
        if (!::ReadFile(in.get(), block, sizeof block, &got, nullptr))
            return std::nullopt;
        if (got == 0)
            return bytes;
        bytes.append(block, got);
    }
}

std::string AbsolutePath(const std::string& pathText) {
    if (pathText.empty() || IsAbsolute(pathText))
        return pathText;
    const std::wstring wide = Widened(pathText);
    const std::wstring full = wide.empty() ? std::wstring() : FullPathOf(wide);
    return full.empty() ? pathText : Narrowed(full);
}

std::string ExecutableFolder() {
    std::wstring module(MAX_PATH, L'\0');
    while (true) {
        const DWORD length = ::GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (length == 0)
            return {};
        if (length < module.size()) {
            module.resize(length);
            break;
        }
        module.resize(module.size() * 2);
    }
    // The final path resolves links, as the install layout expects.
    const Handle handle = OpenForQuery(module);
    if (handle.valid()) {
        const DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
        std::wstring resolved(::GetFinalPathNameByHandleW(handle.get(), nullptr, 0, flags), L'\0');
        const DWORD length = ::GetFinalPathNameByHandleW(handle.get(), resolved.data(),
                                                         static_cast<DWORD>(resolved.size()), flags);
        if (length > 0 && length < resolved.size())
            module = WithoutLongPrefix(resolved.substr(0, length));
    }
    const std::wstring folder = FolderOf(module);
    return Narrowed(folder.substr(0, folder.size() - (folder.empty() ? 0 : 1)));
}

std::unique_ptr<InputStream> OpenForReading(const std::string& path) {
    Handle in = OpenForReadingBytes(SystemPath(path));
    if (!in.valid())
        return nullptr;
    return std::make_unique<WindowsInputStream>(in.Release());
}

std::unique_ptr<OutputFile> CreateOutputFile(const std::string& destination) {
    return WindowsOutputFile::Create(SystemPath(destination));
}

}  // namespace kitvane::platform
