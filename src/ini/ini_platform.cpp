// Reading and writing files through the operating system's file calls: the
// only file of the store that is not plain standard C++. It holds the one
// file writer of the program (ini/file_writer.h) and the INI store's reading
// and writing on top of it.
#include "ini/file_writer.h"
#include "ini/ini.h"
#include "ini/ini_internal.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrino {

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(); }

    [[nodiscard]] int get() const { return fd_; }
    [[nodiscard]] bool valid() const { return fd_ >= 0; }
    void reset(int fd = -1) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }
    // Closes now and reports the result, which for a file just written can
    // carry a delayed write error.
    int close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd);
    }

private:
    int fd_;
};

// The temporary file of a write: removed again unless it replaced the target.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        file.reset();
        if (!path.empty() && !committed) {
            ::unlink(path.c_str());
        }
    }

    Descriptor file;
    std::string path;
    bool committed = false;
};

int writeStatus(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return kIniDiskFull;
    case EPERM:
    case EACCES:
    case EROFS:
        return kIniNotWritable;
    case ENOMEM:
        return kIniOutOfMemory;
    default:
        return kIniWriteError;
    }
}

int checkStatus(int error) {
    switch (error) {
    case EPERM:
    case EACCES:
    case EROFS:
        return kIniNotWritable;
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return kIniPathError;
    default:
        return kIniWriteError;
    }
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

int writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return writeStatus(errno);
        }
        if (written == 0) {
            return kIniWriteError;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return kIniOk;
}

std::uint64_t nameSeed() {
    std::uint64_t seed = static_cast<std::uint64_t>(::getpid()) << 32U;
    seed ^= static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    try {
        std::random_device device;
        seed ^= device();
    } catch (...) { // no entropy source: the clock and process id still differ between writers
    }
    return seed;
}

// Creates "ini$$XXXXXX.TMP" next to the target with a name no other file has.
int createTemporaryFile(const std::string& directory, TemporaryFile& temp) {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int kAttempts = 100;
    std::mt19937_64 random(nameSeed());
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string name = directory;
        if (name.back() != '/') {
            name += '/';
        }
        name += "ini$$";
        for (int i = 0; i < 6; ++i) {
            name += kAlphabet[pick(random)];
        }
        name += ".TMP";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            temp.file.reset(fd);
            temp.path = std::move(name);
            return kIniOk;
        }
        if (errno != EEXIST && errno != EINTR) {
            return kIniCouldNotCreateTempFile;
        }
    }
    return kIniNoTempFileName;
}

bool usablePath(const std::string& path) {
    return !path.empty() && path.find('\0') == std::string::npos;
}

// A file the program may write to: a regular file with a write permission
// bit (checked on the bits so that a read-only file is refused even for the
// superuser).
bool writableFile(const struct stat& info) {
    return S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

// The file `path` names: symbolic links followed, also to a file that does
// not exist yet (it is then made where the last link points).
int followLinks(const std::string& path, std::string& target) {
    constexpr int kMostLinks = 40;
    target = path;
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0) {
            return errno == ENOENT ? kIniOk : checkStatus(errno);
        }
        if (!S_ISLNK(info.st_mode)) {
            return kIniOk;
        }
        std::array<char, PATH_MAX> named{};
        const ssize_t length = ::readlink(target.c_str(), named.data(), named.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= named.size()) {
            return kIniPathError;
        }
        std::string next(named.data(), static_cast<std::size_t>(length));
        if (next.front() != '/') {
            next = directoryOf(target) + '/' + next;
        }
        target = std::move(next);
    }
    return kIniPathError; // a loop of links
}

// The target's permissions and owner, when it exists; refused when it is
// not a file the program may replace.
struct Existing {
    bool exists = false;
    struct stat info {};
};

int examineTarget(const std::string& target, Existing& existing) {
    if (::stat(target.c_str(), &existing.info) == 0) {
        if (!writableFile(existing.info)) {
            return kIniNotWritable;
        }
        if (::access(target.c_str(), W_OK) != 0) {
            return checkStatus(errno);
        }
        existing.exists = true;
    } else if (errno != ENOENT) {
        return checkStatus(errno);
    }
    const std::string directory = directoryOf(target);
    if (::access(directory.c_str(), W_OK | X_OK) != 0) {
        return checkStatus(errno);
    }
    return kIniOk;
}

int replaceTarget(const std::string& path, const FileContents& contents) {
    if (!usablePath(path)) {
        return kIniPathError;
    }
    std::string target;
    Existing existing;
    if (const int status = followLinks(path, target); status != kIniOk) {
        return status;
    }
    if (const int status = examineTarget(target, existing); status != kIniOk) {
        return status;
    }
    const std::string directory = directoryOf(target);
    TemporaryFile temp;
    if (const int status = createTemporaryFile(directory, temp); status != kIniOk) {
        return status;
    }
    const int fd = temp.file.get();
    if (existing.exists) {
        // The replacement keeps the target's owner (where allowed) and mode.
        (void)::fchown(fd, existing.info.st_uid, existing.info.st_gid);
        (void)::fchmod(fd, existing.info.st_mode & 07777);
    }
    if (const int status = contents([fd](std::string_view block) { return writeAll(fd, block); });
        status != kIniOk) {
        return status;
    }
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
        return writeStatus(errno);
    }
    if (temp.file.close() != 0) {
        return writeStatus(errno);
    }
    // rename replaces the target in one step: there is no moment without it
    if (::rename(temp.path.c_str(), target.c_str()) != 0) {
        return writeStatus(errno);
    }
    temp.committed = true;

    Descriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) {
        (void)::fsync(dir.get()); // the new name on disk too; failure leaves a valid file anyway
    }
    return kIniOk;
}

int appendToTarget(const std::string& path, std::string_view bytes) {
    if (!usablePath(path)) {
        return kIniPathError;
    }
    // Looked at before opening, so that a device is never even opened; and
    // opened without blocking, so that a FIFO without a reader cannot hold
    // the program in open().
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !writableFile(info)) {
        return kIniNotWritable;
    }
    Descriptor file(
        ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    if (!file.valid()) {
        return errno == ENXIO ? kIniNotWritable : writeStatus(errno);
    }
    // What was opened may differ from what was looked at.
    if (::fstat(file.get(), &info) != 0 || !writableFile(info)) {
        return kIniNotWritable;
    }
    int status = writeAll(file.get(), bytes);
    if (status != kIniOk) {
        // Half a piece would corrupt what follows it.
        (void)::ftruncate(file.get(), info.st_size);
        return status;
    }
    if (file.close() != 0) {
        status = writeStatus(errno);
        (void)::truncate(path.c_str(), info.st_size);
    }
    return status;
}

} // namespace

int iniReadFile(IniDocument& document, const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return kIniCouldNotOpenFile;
    }
    // Non-blocking, so that opening a FIFO does not wait for a writer; it is
    // refused below like every other file that is not a regular one.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.valid()) {
        return kIniCouldNotOpenFile;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return kIniCouldNotOpenFile;
    }
    IniReader reader(document);
    std::array<char, kIniReadBufferSize> buffer{};
    for (;;) {
        const ssize_t count = ::read(file.get(), buffer.data(), buffer.size());
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            reader.finish(false);
            return kIniReadError;
        }
        if (count == 0) {
            break;
        }
        reader.feed(std::string_view(buffer.data(), static_cast<std::size_t>(count)));
    }
    reader.finish(true);
    return kIniOk;
}

int readRegularFile(const std::string& path, std::string& text) noexcept {
    if (path.empty() || path.find('\0') != std::string::npos)
        return kIniCouldNotOpenFile;
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!file.valid() || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return kIniCouldNotOpenFile;
    try {
        text.clear();
        text.reserve(static_cast<std::size_t>(info.st_size));
        // Whole files of many megabytes (record files): large reads.
        std::vector<char> buffer(std::size_t{1} << 16);
        for (;;) {
            const ssize_t count = ::read(file.get(), buffer.data(), buffer.size());
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0)
                return kIniReadError;
            if (count == 0)
                return kIniOk;
            text.append(buffer.data(), static_cast<std::size_t>(count));
        }
    } catch (const std::bad_alloc&) {
        return kIniReadError;
    }
}

bool iniPathExists(const std::string& path) noexcept {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return false;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        return true;
    }
    return errno != ENOENT && errno != ENOTDIR && errno != ENAMETOOLONG;
}

int iniWriteFile(const IniDocument& document, const std::string& path) {
    return replaceFile(path, [&document](const FileSink& sink) {
        IniWriter writer(document, sink, kIniWriteBufferSize);
        return writer.run();
    });
}

// ------------------------------------------------------------------ any file

int replaceFile(const std::string& path, const FileContents& contents) noexcept {
    try {
        return replaceTarget(path, contents);
    } catch (...) { // only an allocation can throw here
        return kIniOutOfMemory;
    }
}

int replaceFile(const std::string& path, std::string_view contents) noexcept {
    return replaceFile(path, [contents](const FileSink& sink) { return sink(contents); });
}

int appendToFile(const std::string& path, std::string_view bytes) noexcept {
    try {
        return appendToTarget(path, bytes);
    } catch (...) {
        return kIniOutOfMemory;
    }
}

} // namespace tavrino
