#pragma once
// Reading and writing the settings record: section "Options" of the editor's
// INI file, booleans as "1"/"0", numbers in decimal, rectangles, fonts and
// colours as checksummed hex structures.

#include "Settings.h"

#include <filesystem>
#include <optional>
#include <string>

namespace pelmora::velmet {

// Where the settings and their default paths come from.
struct SettingsPlaces {
    std::filesystem::path program;      // the executable; empty when unknown
    std::filesystem::path settingsFile; // the INI file to read and write
    std::filesystem::path documents;    // the default backup folder
    std::filesystem::path dataFolder;   // the installed data folder

    // For the running program: the INI file named after it ("Velmet.ini"),
    // beside it when that folder is writable, else in the user's
    // configuration folder; "Velmet.ini" in the current folder when the
    // program's path is unknown.
    [[nodiscard]] static SettingsPlaces forRunningProgram();
};

// Fills the record from the file (a missing file or key gives the default),
// installs its language for GetLangText and, when ENABLE_LOG is on, switches
// the diagnostic logs on. Always succeeds.
[[nodiscard]] Settings loadSettings(const SettingsPlaces& places);

// Writes every key to settings.settingsFile in one atomic replacement, keeping
// whatever else the file holds; the reason is returned on failure.
[[nodiscard]] std::optional<std::string> saveSettings(const Settings& settings);

} // namespace pelmora::velmet
