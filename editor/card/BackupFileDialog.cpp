#include "BackupFileDialog.h"

namespace pelmora::model {

namespace {

constexpr int kBackupFilterText = 49;
constexpr int kBackupNameText = 51;
constexpr int kBackupTitleText = 52;
constexpr int kRestoreTitleText = 53;

} // namespace

BackupFileDialog backupFileDialog(const velmet::Settings& settings, bool restore) {
    BackupFileDialog dialog;
    dialog.titleText = restore ? kRestoreTitleText : kBackupTitleText;
    dialog.filterText = kBackupFilterText;
    dialog.pattern = u"*" + settings.backupExtension;
    const size_t point = dialog.pattern.rfind(u'.');
    if (point != std::u16string::npos) {
        dialog.suffix = dialog.pattern.substr(point + 1);
    }
    dialog.proposedNameText = restore ? 0 : kBackupNameText;
    dialog.startFolder = settings.backupFolder;
    return dialog;
}

void rememberBackupFolder(velmet::Settings& settings, const std::filesystem::path& chosen) {
    // The file itself would make the next dialog propose this name again.
    const std::filesystem::path folder = chosen.has_filename() ? chosen.parent_path() : chosen;
    if (!folder.empty()) {
        settings.backupFolder = folder.u16string();
    }
}

} // namespace pelmora::model
