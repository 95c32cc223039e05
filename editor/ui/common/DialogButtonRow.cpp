#include "DialogButtonRow.h"

#include "UiText.h"

#include <QDialog>
#include <QPushButton>

namespace pelmora::ui {

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

DialogButtonRow* DialogButtonRow::okCancel(QDialog* dialog, const char* okNumber,
                                           const char* cancelNumber) {
    auto* row = new DialogButtonRow;
    QPushButton* cancel = row->add(cancelNumber, 55);
    QPushButton* ok = row->add(okNumber, 54);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return row;
}

} // namespace pelmora::ui
