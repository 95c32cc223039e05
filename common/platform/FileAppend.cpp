#include "FileAppend.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <system_error>

namespace pelmora::platform {

bool appendToFile(const std::filesystem::path& file, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            ::close(fd);
            return false;
        }
        written += static_cast<size_t>(n);
    }
    return ::close(fd) == 0;
}

std::optional<std::filesystem::path> freshNameBeside(const std::filesystem::path& file) {
    std::string pattern = file.string() + ".XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return std::nullopt;
    }
    ::close(fd);
    const std::filesystem::path fresh(pattern);
    std::error_code ec;
    std::filesystem::remove(fresh, ec);
    return fresh;
}

} // namespace pelmora::platform
