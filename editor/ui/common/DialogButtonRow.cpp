#include "DialogButtonRow.h"

#include "UiText.h"

#include <QDialog>
#include <QPushButton>

namespace pelmora::ui {

namespace {
constexpr int kTextOk = 54;
constexpr int kTextCancel = 55;
} // namespace

DialogButtonRow::DialogButtonRow() {
    addStretch(1);
}

QPushButton* DialogButtonRow::add(const char* controlNumber, int textNumber) {
    auto* button = new QPushButton(text(textNumber));
    button->setObjectName(QString::fromLatin1(controlNumber));
    button->setAutoDefault(false);
    // Right after the stretch: buttons are laid out right to left.
    insertWidget(1, button);
    return button;
}

QPushButton* DialogButtonRow::addOk(QDialog* dialog, const char* controlNumber) {
    QPushButton* ok = add(controlNumber, kTextOk);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    return ok;
}

QPushButton* DialogButtonRow::addCancel(QDialog* dialog, const char* controlNumber) {
    QPushButton* cancel = add(controlNumber, kTextCancel);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return cancel;
}

DialogButtonRow* DialogButtonRow::okCancel(QDialog* dialog, const char* okNumber,
                                           const char* cancelNumber) {
    auto* row = new DialogButtonRow;
    row->addCancel(dialog, cancelNumber);
    row->addOk(dialog, okNumber);
    return row;
}

} // namespace pelmora::ui
