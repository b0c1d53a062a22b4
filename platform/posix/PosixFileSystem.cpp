#include "platform/posix/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace mascot {
namespace {

// Closes a descriptor on every path out.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }

private:
    int m_fd;
};

// Reads up to `length` bytes, retrying after signals; stops early only at the end of the file.
std::optional<std::vector<uint8_t>> ReadUpTo(int fd, size_t length) {
    std::vector<uint8_t> bytes(length);
    size_t done = 0;
    while (done < length) {
        const ssize_t n = ::read(fd, bytes.data() + done, length - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Opens and locks the file that `path` names now. A writer that held the lock before us may
// have renamed a new file over the path, leaving us with a lock on the old, unlinked one; in
// that case the path no longer names our descriptor's file and we start again.
int OpenLocked(const std::string& path) {
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return -1;
        while (::flock(fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                ::close(fd);
                return -1;
            }
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino)
            return fd;
        ::close(fd);
    }
}

}  // namespace

std::optional<std::vector<uint8_t>> PosixFileSystem::ReadFile(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    std::vector<uint8_t> bytes;
    for (;;) {
        auto chunk = ReadUpTo(fd.get(), 64 * 1024);
        if (!chunk)
            return std::nullopt;
        if (chunk->empty())
            return bytes;
        bytes.insert(bytes.end(), chunk->begin(), chunk->end());
    }
}

std::optional<std::vector<uint8_t>> PosixFileSystem::ReadRange(const std::string& path, uint64_t offset,
                                                               uint32_t length) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    if (offset > static_cast<uint64_t>(LLONG_MAX) || ::lseek(fd.get(), static_cast<off_t>(offset), SEEK_SET) < 0)
        return std::nullopt;
    return ReadUpTo(fd.get(), length);
}

std::optional<uint64_t> PosixFileSystem::FileSize(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return static_cast<uint64_t>(info.st_size);
}

bool PosixFileSystem::UpdateFile(const std::string& path, const Edit& edit) {
    struct stat before {};
    const bool existed = ::stat(path.c_str(), &before) == 0;
    Fd locked(OpenLocked(path));
    if (!locked)
        return false;

    // The lock may have created an empty file; to the edit that is still "no file".
    struct stat info {};
    if (::fstat(locked.get(), &info) != 0)
        return false;
    std::optional<std::string> current;
    if (existed || info.st_size > 0) {
        auto bytes = ReadUpTo(locked.get(), static_cast<size_t>(info.st_size));
        if (!bytes)
            return false;
        current.emplace(bytes->begin(), bytes->end());
    }

    const std::optional<std::string> next = edit(current);
    if (!next)
        return true;

    std::string temp = path + ".XXXXXX";
    const int tempFd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (tempFd < 0)
        return false;
    Fd tempHolder(tempFd);
    const mode_t mode = (existed ? before.st_mode : 0644) & 07777;
    const bool written = ::fchmod(tempFd, mode) == 0 && WriteAll(tempFd, *next) && ::fsync(tempFd) == 0;
    if (!written || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    Fd dir(::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir)
        ::fsync(dir.get());
    return true;
}

}  // namespace mascot
