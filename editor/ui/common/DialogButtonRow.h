#pragma once
// The push buttons at the foot of a dialog: right-aligned, the first one
// added at the right edge, each captioned by its text number and named by its
// control number.

#include <QHBoxLayout>

class QDialog;
class QPushButton;

namespace pelmora::ui {

class DialogButtonRow : public QHBoxLayout {
    Q_OBJECT
public:
    DialogButtonRow();
    QPushButton* add(const char* controlNumber, int textNumber);
    // OK (text 54): the default button, wired to the dialog's accept.
    QPushButton* addOk(QDialog* dialog, const char* controlNumber = "1");
    // Cancel (text 55), wired to the dialog's reject.
    QPushButton* addCancel(QDialog* dialog, const char* controlNumber = "1072");
    // OK left of Cancel.
    static DialogButtonRow* okCancel(QDialog* dialog, const char* okNumber = "1",
                                     const char* cancelNumber = "1072");
};

} // namespace pelmora::ui
