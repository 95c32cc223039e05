#include "Log.h"

#include "CodePage.h"
#include "FileTime.h"
#include "Folders.h"
#include "ModuleVersion.h"
#include "SystemInfo.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmora::log {
namespace fs = std::filesystem;

namespace {

// Characters per line, the time stamp and label included.
constexpr size_t kLineLimit = 4351;

// This copy of the module's state. Every deliverable links its own copy, and
// symbols stay hidden, so each has its own path and level.
struct State {
    std::mutex mutex;
    fs::path path; // empty while no log file was found
    unsigned level = 0;
};

State& state() {
    static State instance;
    return instance;
}

// Callers log between a system call and their look at errno.
class ErrnoGuard {
public:
    ErrnoGuard() : m_saved(errno) {}
    ~ErrnoGuard() { errno = m_saved; }
    ErrnoGuard(const ErrnoGuard&) = delete;
    ErrnoGuard& operator=(const ErrnoGuard&) = delete;

private:
    int m_saved;
};

const char* label(int level) {
    switch (level) {
    case kError:
        return "ERROR  ";
    case kWarning:
        return "WARNING";
    case kTrace:
        return "TRACE  ";
    default:
        return "";
    }
}

fs::path logFile(const fs::path& root, const char* logName) {
    return root / (std::string(logName) + ".log");
}

// The level in the file's first byte: '1' to '3'; anything else, an empty or
// unreadable file, means 3. Nothing when the file is not a regular file that
// opens for reading.
std::optional<unsigned> readLevel(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    char first = 0;
    const ssize_t got = ::read(fd, &first, 1);
    ::close(fd);
    return got == 1 && first >= '1' && first <= '3' ? static_cast<unsigned>(first - '0') : 3u;
}

// The line cut to the limit, in the ANSI code page.
std::string encodeLine(std::string_view utf8) {
    std::u16string text = platform::fromUtf8(utf8);
    size_t length = std::min(text.size(), kLineLimit);
    for (;;) {
        // Never split a surrogate pair.
        if (length < text.size() && length > 0 && text[length - 1] >= 0xD800 &&
            text[length - 1] <= 0xDBFF) {
            --length;
        }
        std::string bytes = platform::toAnsi(std::u16string_view(text).substr(0, length));
        // A double-byte code page may need more bytes than characters.
        if (bytes.size() <= kLineLimit) {
            return bytes;
        }
        length -= std::min(length, std::max<size_t>(1, (bytes.size() - kLineLimit) / 2));
    }
}

void appendToFile(const fs::path& file, std::string_view bytes) {
    // Only an existing file is written: its presence is the switch.
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            break;
        }
        done += static_cast<size_t>(written);
    }
    ::close(fd);
}

void writeHeader(std::span<const fs::path> modules) {
    constexpr const char* tag = "init_log";
    log_message(kWarning, tag, "\n\nSTART LOGFILE");
    const ModuleVersion program = moduleVersion();
    log_message(kWarning, tag, "Path:%s", program.path.c_str());
    log_message(kWarning, tag, "version:%s", program.fileVersion.c_str());
    log_message(kWarning, tag, "p version:%s", program.productVersion.c_str());
    log_message(kWarning, tag, "p name:%s", program.productName.c_str());
    log_message(kWarning, tag, "%s", osDescription().c_str());
    log_message(kWarning, tag, "%s", uiLanguageName().c_str());
    log_message(kWarning, tag, "%s", browserVersion().c_str());
    log_message(kWarning, tag, "%s", processorDescription().c_str());
    log_message(kWarning, tag, "%s", memoryDescription().c_str());
    for (const fs::path& module : modules) {
        const ModuleVersion version = moduleVersion(module);
        log_message(kWarning, tag, "Path:%s", version.path.c_str());
        log_message(kWarning, tag, "version:%s", version.fileVersion.c_str());
        log_message(kWarning, tag, "product version:%s", version.productVersion.c_str());
        log_message(kWarning, tag, "product name:%s", version.productName.c_str());
    }
    const SystemTime today = platform::currentUtcTime();
    log_message(kWarning, tag, "date: %d %d %d", today.year, today.month, today.day);
}

} // namespace

std::vector<fs::path> log_roots() {
    std::vector<fs::path> roots;
    if (const char* list = std::getenv("PELMORA_LOG_ROOTS")) {
        std::string_view rest(list);
        while (!rest.empty()) {
            const size_t colon = rest.find(':');
            const std::string_view root = rest.substr(0, colon);
            if (!root.empty()) {
                roots.emplace_back(root);
            }
            rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
        }
    }
    if (roots.empty()) {
        roots.push_back(platform::stateFolder());
    }
    return roots;
}

void init_log(const char* logName, std::span<const fs::path> modules) {
    const ErrnoGuard guard;
    if (!logName) {
        return;
    }
    {
        State& s = state();
        const std::lock_guard lock(s.mutex);
        if (!s.path.empty()) {
            return;
        }
        s.level = 0;
        for (const fs::path& root : log_roots()) {
            // Like a drive that is not a fixed disk, a root that is not a
            // folder is passed over.
            std::error_code error;
            if (!fs::is_directory(root, error)) {
                continue;
            }
            const fs::path file = logFile(root, logName);
            if (const auto level = readLevel(file)) {
                s.path = file;
                s.level = *level;
                break;
            }
        }
        if (s.path.empty()) {
            return;
        }
    }
    writeHeader(modules);
}

int log_message(int level, const char* tag, const char* format, ...) {
    const ErrnoGuard guard;
    fs::path path;
    {
        State& s = state();
        const std::lock_guard lock(s.mutex);
        if (level <= 0 || static_cast<unsigned>(level) > s.level) {
            return 0;
        }
        path = s.path;
    }
    const SystemTime now = platform::currentUtcTime();
    char head[256];
    const int headLength =
        std::snprintf(head, sizeof head, "\r\n[%2d:%2d:%2d:%3d] %s [%s] ", now.hour, now.minute,
                      now.second, now.milliseconds, label(level), tag ? tag : "");
    std::string line(head,
                     static_cast<size_t>(std::max(0, std::min<int>(headLength, sizeof head - 1))));
    // Three UTF-8 bytes per UTF-16 unit at most: enough to fill the limit.
    std::string message(kLineLimit * 3 + 1, '\0');
    va_list args;
    va_start(args, format);
    const int messageLength =
        format ? std::vsnprintf(message.data(), message.size(), format, args) : 0;
    va_end(args);
    message.resize(static_cast<size_t>(
        std::clamp<int>(messageLength, 0, static_cast<int>(message.size()) - 1)));
    line += message;
    appendToFile(path, encodeLine(line));
    return 1;
}

void enable_logging(const char* logName) {
    const ErrnoGuard guard;
    if (!logName) {
        return;
    }
    const fs::path root = log_roots().front();
    std::error_code error;
    fs::create_directories(root, error);
    const int fd = ::open(logFile(root, logName).c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        return; // an existing file is left as it is
    }
    constexpr char kLevelLine[] = "3\r\n";
    [[maybe_unused]] const ssize_t written = ::write(fd, kLevelLine, sizeof kLevelLine - 1);
    ::close(fd);
}

void enable_logging() {
    for (const char* name : kSwitchedLogNames) {
        enable_logging(name);
    }
}

void disable_logging() {
    const ErrnoGuard guard;
    for (const fs::path& root : log_roots()) {
        for (const char* name : kSwitchedLogNames) {
            std::error_code error;
            fs::remove(logFile(root, name), error);
        }
    }
    State& s = state();
    const std::lock_guard lock(s.mutex);
    s.path.clear();
    s.level = 0;
}

} // namespace pelmora::log
