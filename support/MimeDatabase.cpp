#include "MimeDatabase.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>

extern char** environ;

namespace pelmora::qulvio {
namespace {

// Runs the tool from PATH with one folder argument, its output discarded.
bool runTool(const char* tool, const std::filesystem::path& folder) {
    std::string argument = folder.string();
    char* argv[] = {const_cast<char*>(tool), argument.data(), nullptr};
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return false;
    }
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, tool, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return false;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

bool rebuildMimeCaches(const std::filesystem::path& dataHome) {
    const bool rebuilt = runTool("update-mime-database", dataHome / "mime");
    std::error_code error;
    if (std::filesystem::is_directory(dataHome / "applications", error)) {
        runTool("update-desktop-database", dataHome / "applications");
    }
    return rebuilt;
}

} // namespace pelmora::qulvio
