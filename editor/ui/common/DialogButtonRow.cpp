#include "DialogButtonRow.h"

#include "UiText.h"

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

} // namespace pelmora::ui
