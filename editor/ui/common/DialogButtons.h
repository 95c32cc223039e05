#pragma once
// The button row of a dialog: OK and Cancel captioned from the language file
// (texts 54 and 55), addressable as controls "1" and "1072".

class QDialog;
class QDialogButtonBox;
class QPushButton;

namespace pelmora::ui {

// The row, wired to accept and reject. withCancel false: OK alone.
QDialogButtonBox* okCancelButtons(QDialog& dialog, bool withCancel = true);
QPushButton* okButton(const QDialogButtonBox& buttons);

} // namespace pelmora::ui
