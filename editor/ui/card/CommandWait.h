#pragma once
// Waits on the UI thread for a card command that shows no progress dialog:
// the tasks its worker posts (the PIN dialogs among them) run meanwhile, the
// user's input to the window waits until the command has finished.

#include "CardCommand.h"

namespace pelmora::ui {

void waitUntilFinished(const model::CardCommand& command);

} // namespace pelmora::ui
