#pragma once
// Where a dialog opens: where it was last closed, else centred over its
// parent; either way on the screen.

#include "Settings.h"

namespace pelmora::model {

// remembered: the dialog's stored rectangle (right or bottom 0 or less: none).
// dialog: its current rectangle, for its size. parent: the parent's rectangle,
// or the screen for a dialog without one. Returns the dialog's rectangle, its
// size unchanged, kept within the screen (left and top first when it is
// larger than the screen).
[[nodiscard]] velmet::WindowRect placeDialog(const velmet::WindowRect& remembered,
                                             const velmet::WindowRect& dialog,
                                             const velmet::WindowRect& parent,
                                             const velmet::WindowRect& screen);

} // namespace pelmora::model
