#pragma once
// What the card commands show the user around their work: the file dialog of
// Backup SIM and Restore SIM, and the one message that sums up what failed.

#include "CardOperations.h"
#include "Prompts.h"
#include "Settings.h"

#include <QString>

class QWidget;

namespace pelmora::ui {

// Backup: a save dialog proposing text 51; Restore: an open dialog. Both
// start in BACKUP and filter on DEFBKPEXT.
[[nodiscard]] FileChoice backupFileChoice(const velmet::Settings& settings, bool restore);
// Asks for the file and keeps its folder in BACKUP; empty when cancelled.
[[nodiscard]] QString chooseBackupFile(QWidget* owner, velmet::Settings& settings, bool restore);

// One message naming the books that failed and whether a PIN step stopped
// the command; empty when nothing failed (no success message is shown).
[[nodiscard]] QString cardReportMessage(const model::CardReport& report);

} // namespace pelmora::ui
