#include "AddPrefixDialog.h"

#include "AddPrefix.h"
#include "DialogButtonRow.h"
#include "FilteredLineEdit.h"
#include "RememberedPlacement.h"
#include "UiText.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pelmora::ui {
namespace {

constexpr int kPrefixEditLength = 61;

FilteredLineEdit::Filtered filteredPrefix(const QString& typed, int selectionStart) {
    const model::FilteredText f =
        model::filterPrefix(toU16(typed), static_cast<size_t>(std::max(selectionStart, 0)));
    return {QString::fromStdU16String(f.text), static_cast<int>(f.caret), f.changed};
}

} // namespace

AddPrefixDialog::AddPrefixDialog(model::Category& book, std::vector<int> selectedSlots,
                                 model::CategoryObserver* list, QWidget* parent)
    : QDialog(parent), m_book(book), m_selected(std::move(selectedSlots)), m_list(list) {
    setWindowTitle(text(757));
    m_prefix = new FilteredLineEdit(&filteredPrefix);
    m_prefix->setObjectName(QStringLiteral("1173"));
    m_prefix->setMaxLength(kPrefixEditLength);
    // The edit with its up-down control: it takes no count above the
    // shortest selected number.
    m_count = new QSpinBox;
    m_count->setObjectName(QStringLiteral("1176"));
    m_count->setRange(0, static_cast<int>(model::addPrefixLimit(book, m_selected)));
    m_count->setValue(0);

    auto* fields = new QFormLayout;
    fields->addRow(text(758), m_prefix);
    fields->addRow(text(759), m_count);

    auto* buttons = DialogButtonRow::okCancel(this, "1172", "1159");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    new RememberedPlacement(this);
}

void AddPrefixDialog::accept() {
    model::addPrefix(m_book, m_selected, toU16(m_prefix->text()),
                     static_cast<size_t>(m_count->value()), m_list);
    QDialog::accept();
}

} // namespace pelmora::ui
