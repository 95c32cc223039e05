#pragma once
// The file dialogs of Backup SIM and Restore SIM: what they offer, and the
// folder they start in next time.

#include "Settings.h"

#include <filesystem>
#include <string>

namespace pelmora::model {

struct BackupFileDialog {
    int titleText = 0;        // 52 backup, 53 restore
    int filterText = 49;      // the name of the file type
    std::u16string pattern;   // "*" + DEFBKPEXT
    std::u16string suffix;    // the pattern after its last point: added to a bare name
    int proposedNameText = 0; // 51 for a backup; 0: no name proposed
    std::u16string startFolder;
};

[[nodiscard]] BackupFileDialog backupFileDialog(const velmet::Settings& settings, bool restore);

// Keeps the chosen file's folder in BACKUP for the next backup or restore.
void rememberBackupFolder(velmet::Settings& settings, const std::filesystem::path& chosen);

} // namespace pelmora::model
