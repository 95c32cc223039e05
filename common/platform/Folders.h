#pragma once
// Where the program and its files live: the program's own folder (the
// editor loads its plug-in and finds its data files beside itself), the
// per-user configuration, data and state folders of the XDG base-directory
// rules, and the installed data folder.

#include <filesystem>
#include <string_view>
#include <vector>

namespace pelmora::platform {

// The running executable and its folder; empty when it cannot be determined.
[[nodiscard]] std::filesystem::path programPath();
[[nodiscard]] std::filesystem::path programFolder();

// $XDG_CONFIG_HOME/pelmora, else ~/.config/pelmora.
[[nodiscard]] std::filesystem::path configFolder();
// $XDG_DATA_HOME, else ~/.local/share (the user's data home itself, where
// MIME packages and desktop entries are registered).
[[nodiscard]] std::filesystem::path dataHome();
// The system's data folders: the absolute entries of $XDG_DATA_DIRS, else
// /usr/local/share and /usr/share.
[[nodiscard]] std::vector<std::filesystem::path> systemDataFolders();
// $XDG_STATE_HOME/pelmora, else ~/.local/state/pelmora.
[[nodiscard]] std::filesystem::path stateFolder();
// The data folder of an installed build (share/pelmora): found from the
// program's folder when the installed tree has moved, else where it was
// installed.
[[nodiscard]] std::filesystem::path installedDataFolder();
[[nodiscard]] std::filesystem::path installedDataFolder(const std::filesystem::path& programFolder);

// A settings file: beside the program when that folder is writable, else in
// configFolder() (which is not created here).
[[nodiscard]] std::filesystem::path settingsFile(std::string_view fileName);
[[nodiscard]] std::filesystem::path settingsFile(std::string_view fileName,
                                                 const std::filesystem::path& programFolder);
// A shipped data file (language file, operator list, read-me): beside the
// program when it is there, else in the installed data folder.
[[nodiscard]] std::filesystem::path dataFile(std::string_view fileName);
[[nodiscard]] std::filesystem::path dataFile(std::string_view fileName,
                                             const std::filesystem::path& programFolder);

} // namespace pelmora::platform
