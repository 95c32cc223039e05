#include "Folders.h"

#include <algorithm>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace pelmora::platform {
namespace fs = std::filesystem;

namespace {

fs::path homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
        return entry->pw_dir;
    }
    return "/";
}

// An XDG variable counts only when it holds an absolute path.
fs::path xdgFolder(const char* variable, const char* fallbackBelowHome) {
    if (const char* value = std::getenv(variable); value && *value == '/') {
        return value;
    }
    return homeFolder() / fallbackBelowHome;
}

} // namespace

fs::path programPath() {
    std::error_code error;
    const fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : path;
}

fs::path programFolder() {
    return programPath().parent_path();
}

fs::path configFolder() {
    return xdgFolder("XDG_CONFIG_HOME", ".config") / "pelmora";
}

fs::path dataHome() {
    return xdgFolder("XDG_DATA_HOME", ".local/share");
}

std::vector<fs::path> systemDataFolders() {
    std::vector<fs::path> folders;
    if (const char* value = std::getenv("XDG_DATA_DIRS"); value) {
        const std::string_view list(value);
        for (size_t start = 0; start <= list.size();) {
            const size_t end = std::min(list.find(':', start), list.size());
            if (const std::string_view entry = list.substr(start, end - start);
                entry.starts_with('/')) {
                folders.emplace_back(entry);
            }
            start = end + 1;
        }
    }
    if (folders.empty()) {
        folders = {"/usr/local/share", "/usr/share"};
    }
    return folders;
}

fs::path stateFolder() {
    return xdgFolder("XDG_STATE_HOME", ".local/state") / "pelmora";
}

fs::path installedDataFolder() {
    return installedDataFolder(programFolder());
}

fs::path installedDataFolder(const fs::path& programFolder) {
    // An installed tree may have moved with its prefix: its data folder lies
    // where it lay from the program's folder at install time.
    std::error_code error;
    if (!programFolder.empty()) {
        const fs::path moved = (programFolder / PELMORA_DATA_FROM_PROGRAM).lexically_normal();
        if (fs::is_directory(moved, error)) {
            return moved;
        }
    }
    return PELMORA_DATA_DIR;
}

fs::path settingsFile(std::string_view fileName) {
    return settingsFile(fileName, programFolder());
}

fs::path settingsFile(std::string_view fileName, const fs::path& folder) {
    if (!folder.empty() && ::access(folder.c_str(), W_OK) == 0) {
        return folder / fileName;
    }
    return configFolder() / fileName;
}

fs::path dataFile(std::string_view fileName) {
    return dataFile(fileName, programFolder());
}

fs::path dataFile(std::string_view fileName, const fs::path& folder) {
    std::error_code error;
    if (!folder.empty() && fs::exists(folder / fileName, error)) {
        return folder / fileName;
    }
    return installedDataFolder(folder) / fileName;
}

} // namespace pelmora::platform
