#include "AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmora::platform {
namespace fs = std::filesystem;

namespace {

std::string describe(const char* what, const fs::path& path, int error) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

// Closes the descriptor and removes the temporary file unless released.
class TemporaryFile {
public:
    TemporaryFile(int fd, fs::path path) : m_fd(fd), m_path(std::move(path)) {}
    ~TemporaryFile() {
        const int saved = errno;
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        if (!m_path.empty()) {
            ::unlink(m_path.c_str());
        }
        errno = saved;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] int fd() const { return m_fd; }
    [[nodiscard]] const fs::path& path() const { return m_path; }
    // Closes the descriptor; returns false (errno set) when close reports an error.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }
    void release() { m_path.clear(); }

private:
    int m_fd;
    fs::path m_path;
};

fs::path resolveLinks(const fs::path& target) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(target, error))) {
        return target;
    }
    const fs::path resolved = fs::weakly_canonical(target, error);
    return error ? target : resolved;
}

} // namespace

std::optional<std::string> replaceableTarget(const fs::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0) {
        // A missing file (or a link to one) is created; anything else that
        // stops the look stops the save too.
        return errno == ENOENT ? std::nullopt
                               : std::optional(describe("cannot examine", target, errno));
    }
    if (!S_ISREG(existing.st_mode)) {
        errno = EINVAL;
        return target.string() + " is not a regular file";
    }
    // The mode bits, not access(): the superuser passes access() for any file.
    if ((existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
        errno = EACCES;
        return target.string() + " is read-only";
    }
    return std::nullopt;
}

std::optional<std::string> writeFileAtomically(const fs::path& requested,
                                               std::span<const uint8_t> bytes) {
    static std::atomic<unsigned> counter{0};
    const fs::path target = resolveLinks(requested);
    if (auto refused = replaceableTarget(target)) {
        return refused;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    int fd = -1;
    fs::path temporary;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        std::string name = ".";
        name.append(target.filename().string())
            .append(".tmp")
            .append(std::to_string(::getpid()))
            .append("-")
            .append(std::to_string(counter++));
        temporary = folder / name;
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return describe("cannot create a temporary file in", folder, errno);
        }
    }
    if (fd < 0) {
        return describe("cannot create a temporary file in", folder, errno);
    }
    TemporaryFile file(fd, temporary);

    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        // Best effort: an unprivileged writer cannot give the file away.
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            errno = 0;
        }
        if (::fchmod(fd, existing.st_mode & 07777) != 0) {
            return describe("cannot set the permissions of", temporary, errno);
        }
    }

    const uint8_t* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return describe("cannot write", temporary, errno);
        }
        if (written == 0) {
            errno = EIO;
            return describe("cannot write", temporary, errno);
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    if (::fsync(fd) != 0) {
        return describe("cannot flush", temporary, errno);
    }
    if (!file.close()) {
        return describe("cannot close", temporary, errno);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        return describe("cannot replace", target, errno);
    }
    file.release();
    return std::nullopt;
}

namespace {

std::optional<std::vector<uint8_t>> readOpenFile(int fd, size_t maxBytes, std::error_code& error);

} // namespace

std::optional<std::vector<uint8_t>> readWholeFile(const fs::path& path, std::error_code& error) {
    error.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error.assign(errno, std::generic_category());
        return std::nullopt;
    }
    return readOpenFile(fd, SIZE_MAX, error);
}

std::optional<std::vector<uint8_t>> readRegularFile(const fs::path& path, size_t maxBytes,
                                                    std::error_code& error) {
    error.clear();
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error.assign(errno, std::generic_category());
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = std::make_error_code(std::errc::invalid_argument);
        ::close(fd);
        return std::nullopt;
    }
    if (static_cast<uintmax_t>(info.st_size) > maxBytes) {
        error = std::make_error_code(std::errc::file_too_large);
        ::close(fd);
        return std::nullopt;
    }
    return readOpenFile(fd, maxBytes, error);
}

namespace {

// Reads to the end and closes fd; a file that grows past maxBytes while
// read fails with file_too_large.
std::optional<std::vector<uint8_t>> readOpenFile(int fd, size_t maxBytes, std::error_code& error) {
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            error.assign(errno, std::generic_category());
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        if (static_cast<size_t>(got) > maxBytes - bytes.size()) {
            error = std::make_error_code(std::errc::file_too_large);
            ::close(fd);
            return std::nullopt;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    ::close(fd);
    return bytes;
}

} // namespace

} // namespace pelmora::platform
