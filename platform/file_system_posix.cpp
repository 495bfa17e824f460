// POSIX implementation of the file system and byte streams.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "platform/byte_stream.h"
#include "platform/entry_order.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace kitvane::platform {
namespace {

std::string NativeFolderOf(const std::string& nativePath) {
    const auto slash = nativePath.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return nativePath.substr(0, slash);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

class PosixInputStream final : public InputStream {
public:
    explicit PosixInputStream(int fd) : fd_(fd) {}
    std::size_t Read(void* buffer, std::size_t count) override {
        std::size_t done = 0;
        auto* out = static_cast<char*>(buffer);
        while (done < count) {
            const ssize_t got = ::read(fd_.get(), out + done, count - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += static_cast<std::size_t>(got);
        }
        position_ += done;
        if (done < count) atEnd_ = true;
        return done;
    }
    bool Seek(std::uint64_t position) override {
        if (position > static_cast<std::uint64_t>(LLONG_MAX)) return false;
        if (::lseek(fd_.get(), static_cast<off_t>(position), SEEK_SET) < 0) return false;
        position_ = position;
        atEnd_ = false;
        return true;
    }
    std::uint64_t Tell() const override { return position_; }
    bool AtEnd() const override { return atEnd_; }

private:
    FileDescriptor fd_;
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
#ifdef O_TMPFILE
        file->fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
#endif
        if (file->fd_ < 0) {
            file->temporaryName_ = TemporaryNameBeside(nativeDestination);
            file->fd_ = ::open(file->temporaryName_.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
            if (file->fd_ < 0) return nullptr;
        }
        return file;
    }

    ~PosixOutputFile() override {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_ && !temporaryName_.empty()) ::unlink(temporaryName_.c_str());
    }

    bool Write(const void* bytes, std::size_t count) override {
        const auto* in = static_cast<const char*>(bytes);
        while (count > 0 && error_ == 0) {
            const ssize_t put = ::write(fd_, in, count);
            if (put < 0 && errno == EINTR) continue;
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
        while (error_ == 0) {
            const ssize_t copied = ::copy_file_range(sourceFd, nullptr, fd_, nullptr, 1 << 30, 0);
            if (copied == 0) return true;
            if (copied > 0) continue;
            if (errno == EINTR) continue;
            if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
                return CopyByBlocks(sourceFd);
            }
            error_ = errno;
        }
        return false;
    }

    bool Commit(Mode mode) override {
        if (error_ != 0 || committed_) return false;
        const bool published = temporaryName_.empty() ? PublishUnnamed(mode) : PublishNamed(mode);
        if (::close(fd_) != 0 && error_ == 0) error_ = errno;
        fd_ = -1;
        committed_ = published;
        return published;
    }

    std::string ErrorText() const override { return error_ == 0 ? std::string() : std::strerror(error_); }

private:
    explicit PosixOutputFile(std::string destination) : destination_(std::move(destination)) {}

    static std::string TemporaryNameBeside(const std::string& nativeDestination) {
        static std::mt19937_64 random{std::random_device{}()};
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".kvtmp-%016llx", static_cast<unsigned long long>(random()));
        const std::string folder = NativeFolderOf(nativeDestination);
        const std::string name = nativeDestination.substr(nativeDestination.find_last_of('/') + 1);
        return folder + "/." + name + suffix;
    }

    // An unnamed file gets its name by a link through /proc; a link never replaces a file.
    bool PublishUnnamed(Mode mode) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        if (mode == Mode::NoReplace) return LinkOrFail(self, destination_, AT_SYMLINK_FOLLOW);
        const std::string staging = TemporaryNameBeside(destination_);
        if (!LinkOrFail(self, staging, AT_SYMLINK_FOLLOW)) return false;
        return RenameOrDiscard(staging);
    }

    bool PublishNamed(Mode mode) {
        if (mode == Mode::Replace) return RenameOrDiscard(temporaryName_);
        const bool linked = LinkOrFail(temporaryName_, destination_, 0);
        ::unlink(temporaryName_.c_str());
        return linked;
    }

    bool LinkOrFail(const std::string& from, const std::string& to, int flags) {
        if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), flags) == 0) return true;
        error_ = errno;
        return false;
    }

    bool RenameOrDiscard(const std::string& staging) {
        if (::rename(staging.c_str(), destination_.c_str()) == 0) return true;
        error_ = errno;
        ::unlink(staging.c_str());
        return false;
    }

    bool CopyByBlocks(int sourceFd) {
        std::vector<char> block(1 << 20);
        while (true) {
            const ssize_t got = ::read(sourceFd, block.data(), block.size());
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                error_ = errno;
                return false;
            }
            if (got == 0) return true;
            if (!Write(block.data(), static_cast<std::size_t>(got))) return false;
        }
    }

    std::string destination_;
    std::string temporaryName_;  // empty for an unnamed O_TMPFILE
    int fd_ = -1;
    int error_ = 0;
    bool committed_ = false;
};

}  // namespace

FileStatus StatusOf(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(ToNativePath(path).c_str(), &info) != 0) return {};
    return {true, S_ISDIR(info.st_mode), static_cast<std::uint64_t>(info.st_size)};
}

std::vector<DirectoryEntry> ListDirectory(const std::string& folder) {
    std::vector<DirectoryEntry> entries;
    const std::string native = ToNativePath(folder);
    DIR* directory = ::opendir(native.c_str());
    if (directory == nullptr) return entries;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        if (name.empty() || name == "." || name == "..") continue;
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
    if (::stat(ToNativePath(path).c_str(), &info) != 0) return std::nullopt;
    return FolderIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

bool CreateFolder(const std::string& path) { return ::mkdir(ToNativePath(path).c_str(), 0777) == 0; }

bool CopyFileNoReplace(const std::string& source, const std::string& destination) {
    const std::string nativeDestination = ToNativePath(destination);
    struct stat existing {};
    if (::lstat(nativeDestination.c_str(), &existing) == 0) return false;
    FileDescriptor in(::open(ToNativePath(source).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!in.valid() || ::fstat(in.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    auto out = PosixOutputFile::Create(nativeDestination);
    return out != nullptr && out->CopyFrom(in.get()) && out->Commit(OutputFile::Mode::NoReplace);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    FileDescriptor in(::open(ToNativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!in.valid() || ::fstat(in.get(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char block[1 << 16];
    while (true) {
        const ssize_t got = ::read(in.get(), block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) return bytes;
        bytes.append(block, static_cast<std::size_t>(got));
    }
}

std::string AbsolutePath(const std::string& pathText) {
    const std::string native = ToNativePath(pathText);
    if (native.empty() || native.front() == '/') return pathText;
    char current[PATH_MAX];
    if (::getcwd(current, sizeof current) == nullptr) return pathText;
    return FromNativePath(std::string(current) + "/" + native);
}

std::string ExecutableFolder() {
    char resolved[PATH_MAX];
    if (::realpath("/proc/self/exe", resolved) == nullptr) return {};
    return FromNativePath(NativeFolderOf(resolved));
}

std::unique_ptr<InputStream> OpenForReading(const std::string& path) {
    const int fd = ::open(ToNativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixInputStream>(fd);
}

std::unique_ptr<OutputFile> CreateOutputFile(const std::string& destination) {
    return PosixOutputFile::Create(ToNativePath(destination));
}

}  // namespace kitvane::platform
