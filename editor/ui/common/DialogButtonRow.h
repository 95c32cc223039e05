#pragma once
// The push buttons at the foot of a dialog: right-aligned, the first one
// added at the right edge, each captioned by its text number and named by its
// control number.

#include <QHBoxLayout>

class QPushButton;

namespace pelmora::ui {

class DialogButtonRow : public QHBoxLayout {
    Q_OBJECT
public:
    DialogButtonRow();
    QPushButton* add(const char* controlNumber, int textNumber);
};

} // namespace pelmora::ui
