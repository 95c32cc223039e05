#pragma once
// Where a dialog widget opens: its remembered rectangle (when SAVEWINDOWPOS is
// on), or centred on its owner, and always inside the screen, by the model's
// placement rule.

#include "Settings.h"

class QWidget;

namespace pelmora::ui {

// Moves the dialog to the rectangle remembered under key; a dialog without
// one is centred on its owner. Call before showing it.
void restorePlacement(QWidget& dialog, const velmet::Settings& settings, velmet::WindowKey key);
// Keeps the dialog's rectangle under key when SAVEWINDOWPOS is on.
void rememberPlacement(const QWidget& dialog, velmet::Settings& settings, velmet::WindowKey key);
// Centres the dialog on its parent (the screen when it has none) and moves it
// back inside the screen where it would stick out.
void centreOnOwner(QWidget& dialog);

} // namespace pelmora::ui
