#include "EntryPanel.h"

#include "Category.h"
#include "Records.h"
#include "UiText.h"

#include <QPushButton>

namespace pelmora::ui {

EntryPanel::EntryPanel(const QString& applyName, QWidget* parent) : QGroupBox(parent) {
    m_apply = new QPushButton(this);
    m_apply->setObjectName(applyName);
    m_apply->setEnabled(false);
    connect(m_apply, &QPushButton::clicked, this, [this] {
        beforeApply();
        emit applyRequested();
        m_apply->setEnabled(false);
    });
}

void EntryPanel::applyLanguage() {
    applyFieldTexts();
    m_apply->setText(text(94));
    const PhoneBookEntry* entry = storedEntry();
    setTitle(text(21, entry != nullptr ? std::u16string(model::fieldText(entry->name))
                                       : std::u16string()));
}

void EntryPanel::showEntry(model::Category* category, int slot) {
    m_category = category;
    m_slot = category != nullptr && category->hasSlot(slot) ? slot : -1;
    fill(category, m_slot);
    applyLanguage();
    m_apply->setEnabled(false);
}

const PhoneBookEntry* EntryPanel::storedEntry() const {
    return m_category != nullptr ? m_category->entry(m_slot) : nullptr;
}

void EntryPanel::valuesEdited() {
    m_apply->setEnabled(m_slot >= 0 && storedEntry() != nullptr && differsFromStored());
}

} // namespace pelmora::ui
