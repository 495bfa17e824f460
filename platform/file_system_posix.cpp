// POSIX implementation of the file system and byte streams.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

#include "platform/byte_stream.h"
#include "platform/entry_order.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/temporary_files_posix.h"
#include "platform/temporary_names.h"

namespace kitvane::platform {
namespace {

std::string NativeFolderOf(const std::string& nativePath) {
    const auto slash = nativePath.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return nativePath.substr(0, slash);
}

// An open regular file and its size when opened.
struct OpenedFile {
    int fd = -1;
    std::uint64_t size = 0;
};

// Opens a file for reading only when it is a regular file (a link to one included). A named pipe or a
// device would block the open or never end (/dev/zero), so it counts as unreadable. The descriptor
// keeps O_NONBLOCK, which regular files ignore.
OpenedFile OpenRegularFile(const std::string& nativePath) {
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {};
    }
    return {fd, static_cast<std::uint64_t>(info.st_size)};
}

std::atomic<bool> unnamedTemporariesAllowed{true};

bool IsRunning(long pid) {
    return pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

// The first time this process writes into a folder, the temporary files that killed writers left there
// are removed, so a rerun cleans up after the run it completes. Files of running writers stay.
void RemoveLeftoverTemporaries(const std::string& nativeFolder) {
    if (!FirstWriteInto(nativeFolder))
        return;
    DIR* directory = ::opendir(nativeFolder.c_str());
    if (directory == nullptr)
        return;
    while (const dirent* entry = ::readdir(directory)) {
        const auto writer = WriterOfTemporary(entry->d_name);
        if (writer && !IsRunning(*writer))
            ::unlinkat(::dirfd(directory), entry->d_name, 0);
    }
    ::closedir(directory);
}

// An unnamed file is published by a link through /proc, so it is used only when /proc is there.
bool UnnamedTemporariesUsable() {
    static const bool procMounted = ::access("/proc/self/fd", X_OK) == 0;
    return procMounted && unnamedTemporariesAllowed;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

// Reads at its own position with pread, so seeking costs no system call and the descriptor's offset is
// never used.
class PosixInputStream final : public InputStream {
public:
    explicit PosixInputStream(const OpenedFile& file) : fd_(file.fd), length_(file.size) {}
    std::size_t Read(void* buffer, std::size_t count) override {
        std::size_t done = 0;
        auto* out = static_cast<char*>(buffer);
        while (done < count) {
            const ssize_t got =
                ::pread(fd_.get(), out + done, count - done, static_cast<off_t>(position_ + done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                atEnd_ = got == 0;
                break;
            }
            done += static_cast<std::size_t>(got);
        }
        position_ += done;
        return done;
    }
    bool Seek(std::uint64_t position) override {
        if (position > static_cast<std::uint64_t>(LLONG_MAX))
            return false;
        position_ = position;
        atEnd_ = false;
        return true;
    }
    std::uint64_t Tell() const override { return position_; }
    std::uint64_t Length() const override { return length_; }
    bool AtEnd() const override { return atEnd_; }
    std::uint64_t CopyTo(OutputFile& out, std::uint64_t count) override;

private:
    FileDescriptor fd_;
    std::uint64_t length_;
    std::uint64_t position_ = 0;
    bool atEnd_ = false;
};

// A file that is invisible until it is committed: an unnamed O_TMPFILE where the file system offers
// one, so that an interrupted write leaves nothing behind; otherwise a hidden temporary name.
class PosixOutputFile final : public OutputFile {
public:
    static std::unique_ptr<PosixOutputFile> Create(const std::string& nativeDestination) {
        std::unique_ptr<PosixOutputFile> file(new PosixOutputFile(nativeDestination));
        const std::string folder = NativeFolderOf(nativeDestination);
        RemoveLeftoverTemporaries(folder);
#ifdef O_TMPFILE
        if (UnnamedTemporariesUsable()) {
            file->fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
        }
#endif
        if (file->fd_ < 0) {
            file->temporaryName_ = TemporaryNameBeside(nativeDestination);
            file->fd_ = ::open(file->temporaryName_.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
            if (file->fd_ < 0)
                return nullptr;
        }
        return file;
    }

    ~PosixOutputFile() override {
        if (fd_ >= 0)
            ::close(fd_);
        if (!committed_ && !temporaryName_.empty())
            ::unlink(temporaryName_.c_str());
    }

    bool Write(const void* bytes, std::size_t count) override {
        const auto* in = static_cast<const char*>(bytes);
        while (count > 0 && error_ == 0) {
            const ssize_t put = ::write(fd_, in, count);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0) {
                error_ = put < 0 ? errno : ENOSPC;
                break;
            }
            in += put;
            count -= static_cast<std::size_t>(put);
        }
        return error_ == 0;
    }

    // Copies the rest of an open file in by the kernel's own copy path.
    bool CopyFrom(int sourceFd) {
        while (true) {
            const ssize_t copied = KernelCopyFrom(sourceFd, nullptr, 1 << 30);
            if (copied == 0)
                return true;
            if (copied < 0)
                return error_ == 0 && CopyByBlocks(sourceFd);
        }
    }

    // One kernel copy of up to count bytes from an open file, at *offset (which moves past them) or, when
    // offset is null, at the file's own offset: the bytes copied, 0 at the source's end, or -1 when the
    // kernel can't copy between these files (nothing recorded; the caller copies through memory) or the
    // copy failed (the failure recorded).
    ssize_t KernelCopyFrom(int sourceFd, off_t* offset, std::uint64_t count) {
        const auto most = static_cast<std::size_t>(std::min<std::uint64_t>(count, 1 << 30));
        while (error_ == 0) {
            const ssize_t copied = ::copy_file_range(sourceFd, offset, fd_, nullptr, most, 0);
            if (copied >= 0)
                return copied;
            if (errno == EINTR)
                continue;
            if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
                error_ = errno;
            return -1;
        }
        return -1;
    }

    bool Failed() const {
        return error_ != 0;
    }

    // A named file is closed before it is published, so a write error that only the close reports (a
    // network share) keeps it from its final name. An unnamed one needs its descriptor to be linked; a
    // failing close then takes the published name away again.
    bool Commit(Mode mode) override {
        if (error_ != 0 || committed_)
            return false;
        if (!temporaryName_.empty()) {
            committed_ = CloseDescriptor() && PublishNamed(mode);
            return committed_;
        }
        const bool published = PublishUnnamed(mode);
        if (!CloseDescriptor() && published) {
            ::unlink(destination_.c_str());
            return false;
        }
        committed_ = published;
        return published;
    }

    std::string ErrorText() const override {
        return error_ == 0 ? std::string() : std::strerror(error_);
    }

private:
    explicit PosixOutputFile(std::string destination) : destination_(std::move(destination)) {}

    bool CloseDescriptor() {
        const bool closed = ::close(fd_) == 0;
        if (!closed && error_ == 0)
            error_ = errno;
        fd_ = -1;
        return closed;
    }

    static std::string TemporaryNameBeside(const std::string& nativeDestination) {
        static std::mt19937_64 random{std::random_device{}()};
        const std::string folder = NativeFolderOf(nativeDestination);
        const std::string name = nativeDestination.substr(nativeDestination.find_last_of('/') + 1);
        return folder + "/" + TemporaryNameFor(name, static_cast<long>(::getpid()), random());
    }

    // An unnamed file gets its name by a link through /proc; a link never replaces a file.
    bool PublishUnnamed(Mode mode) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        if (mode == Mode::NoReplace)
            return LinkOrFail(self, destination_, AT_SYMLINK_FOLLOW);
        const std::string staging = TemporaryNameBeside(destination_);
        if (!LinkOrFail(self, staging, AT_SYMLINK_FOLLOW))
            return false;
        return RenameOrDiscard(staging);
    }

    bool PublishNamed(Mode mode) {
        if (mode == Mode::Replace)
            return RenameOrDiscard(temporaryName_);
        const bool linked = LinkOrFail(temporaryName_, destination_, 0);
        ::unlink(temporaryName_.c_str());
        return linked;
    }

    bool LinkOrFail(const std::string& from, const std::string& to, int flags) {
        if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), flags) == 0)
            return true;
        error_ = errno;
        return false;
    }

    bool RenameOrDiscard(const std::string& staging) {
        if (::rename(staging.c_str(), destination_.c_str()) == 0)
            return true;
        error_ = errno;
        ::unlink(staging.c_str());
        return false;
    }

    bool CopyByBlocks(int sourceFd) {
        std::vector<char> block(1 << 20);
        while (true) {
            const ssize_t got = ::read(sourceFd, block.data(), block.size());
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                error_ = errno;
                return false;
            }
            if (got == 0)
                return true;
            if (!Write(block.data(), static_cast<std::size_t>(got)))
                return false;
        }
    }

    std::string destination_;
    std::string temporaryName_;  // empty for an unnamed O_TMPFILE
    int fd_ = -1;
    int error_ = 0;
    bool committed_ = false;
};

// Into a file of ours the kernel copies the range itself; into anything else, or where the kernel
// can't, the rest goes through memory.
std::uint64_t PosixInputStream::CopyTo(OutputFile& out, std::uint64_t count) {
    auto* file = dynamic_cast<PosixOutputFile*>(&out);
    std::uint64_t copied = 0;
    while (file != nullptr && copied < count) {
        auto offset = static_cast<off_t>(position_);
        const ssize_t done = file->KernelCopyFrom(fd_.get(), &offset, count - copied);
        if (done > 0) {
            copied += static_cast<std::uint64_t>(done);
            position_ += static_cast<std::uint64_t>(done);
            continue;
        }
        if (done == 0) {
            atEnd_ = true;
            return copied;
        }
        if (file->Failed())
            return copied;
        file = nullptr;
    }
    return copied + InputStream::CopyTo(out, count - copied);
}

}  // namespace

FileStatus StatusOf(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(ToNativePath(path).c_str(), &info) != 0)
        return {};
    return {true, S_ISDIR(info.st_mode), static_cast<std::uint64_t>(info.st_size)};
}

std::vector<DirectoryEntry> ListDirectory(const std::string& folder) {
    std::vector<DirectoryEntry> entries;
    const std::string native = ToNativePath(folder);
    DIR* directory = ::opendir(native.c_str());
    if (directory == nullptr)
        return entries;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        // Path text can't name an entry whose name holds "\": it would read as a folder separator, and a
        // name such as "..\..\x.wav" would lead out of the folder.
        if (name.empty() || name == "." || name == ".." || name.find('\\') != std::string::npos)
            continue;
        bool isDirectory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            isDirectory = ::stat((native + "/" + name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        entries.push_back({name, isDirectory});
    }
    ::closedir(directory);
    SortByEntryOrder(entries);
    return entries;
}

std::optional<FolderIdentity> IdentityOf(const std::string& path) {
    struct stat info {};
    if (::stat(ToNativePath(path).c_str(), &info) != 0)
        return std::nullopt;
    return FolderIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

bool CreateFolder(const std::string& path) {
    return ::mkdir(ToNativePath(path).c_str(), 0777) == 0;
}

bool CopyFileNoReplace(const std::string& source, const std::string& destination) {
    const std::string nativeDestination = ToNativePath(destination);
    RemoveLeftoverTemporaries(NativeFolderOf(nativeDestination));
    struct stat existing {};
    if (::lstat(nativeDestination.c_str(), &existing) == 0)
        return false;
    FileDescriptor in(OpenRegularFile(ToNativePath(source)).fd);
    if (!in.valid())
        return false;
    auto out = PosixOutputFile::Create(nativeDestination);
    return out != nullptr && out->CopyFrom(in.get()) && out->Commit(OutputFile::Mode::NoReplace);
}

bool RemoveFile(const std::string& path) {
    return ::unlink(ToNativePath(path).c_str()) == 0;
}

bool RemoveEmptyFolder(const std::string& path) {
    return ::rmdir(ToNativePath(path).c_str()) == 0;
}

std::optional<std::uint64_t> FreeSpaceAt(const std::string& path) {
    const std::string folder = NearestExistingFolder(path);
    struct statvfs disk {};
    if (folder.empty() || ::statvfs(ToNativePath(folder).c_str(), &disk) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    const OpenedFile file = OpenRegularFile(ToNativePath(path));
    FileDescriptor in(file.fd);
    if (!in.valid())
        return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(file.size));
    char block[1 << 16];
    while (true) {
        const ssize_t got = ::read(in.get(), block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return bytes;
        bytes.append(block, static_cast<std::size_t>(got));
    }
}

std::string AbsolutePath(const std::string& pathText) {
    const std::string native = ToNativePath(pathText);
    if (native.empty() || native.front() == '/')
        return pathText;
    char current[PATH_MAX];
    if (::getcwd(current, sizeof current) == nullptr)
        return pathText;
    return FromNativePath(std::string(current) + "/" + native);
}

std::string ExecutableFolder() {
    char resolved[PATH_MAX];
    if (::realpath("/proc/self/exe", resolved) == nullptr)
        return {};
    return FromNativePath(NativeFolderOf(resolved));
}

std::unique_ptr<InputStream> OpenForReading(const std::string& path) {
    const OpenedFile file = OpenRegularFile(ToNativePath(path));
    return file.fd < 0 ? nullptr : std::make_unique<PosixInputStream>(file);
}

std::unique_ptr<OutputFile> CreateOutputFile(const std::string& destination) {
    return PosixOutputFile::Create(ToNativePath(destination));
}

void SetUnnamedTemporaryFilesAllowed(bool allowed) {
    unnamedTemporariesAllowed = allowed;
}

}  // namespace kitvane::platform
