#pragma once
// Runs one of the session's card commands (Read, Write, Backup or Restore
// SIM) under the progress dialog, and sums up how it ended in one message.

#include "CardCommand.h"
#include "JobProgress.h"
#include "ProgressDialog.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace pelmora::ui {

enum class CardWork { Read, Write, Backup, Restore };

using CardCommandStart =
    std::function<std::shared_ptr<model::CardCommand>(model::JobProgress& progress)>;

// Starts the command and shows the dialog modally until the command has
// ended, the UI thread serving events meanwhile; Cancel asks the command to
// stop. applied runs once the command's result is in the documents, before
// anything repaints.
[[nodiscard]] std::shared_ptr<model::CardCommand>
runCardCommand(const ProgressLook& look, QWidget* owner, const CardCommandStart& start,
               const std::function<void()>& applied);

// What failed or was cancelled; empty when the command did all it should
// (or ended quietly before it began), so no message follows.
[[nodiscard]] QString cardOutcomeMessage(CardWork work, const model::CardReport& report);

} // namespace pelmora::ui
