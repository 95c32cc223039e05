#include "AdditionalValuesPanel.h"

#include "AdditionalValues.h"
#include "Category.h"
#include "FieldRules.h"
#include "FilteredLineEdit.h"
#include "Records.h"
#include "UiText.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelmora::ui {

namespace {

// Rows top to bottom: edits 1351.., labels 1359...
constexpr int kFirstEdit = 1351;
constexpr int kFirstLabel = 1359;
constexpr size_t kMaxRows = 8;
// Room for a typical e-mail address without scrolling.
constexpr int kEditCharacters = 26;

QLineEdit* editFor(uint16_t kind, int value) {
    const std::u16string_view allowed = model::allowedCharacters(kind, value);
    QLineEdit* edit =
        allowed.empty() ? new QLineEdit : FilteredLineEdit::ofCharacters(std::u16string(allowed));
    edit->setMaxLength(static_cast<int>(model::entryValueWidth(value)));
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) *
                          kEditCharacters);
    return edit;
}

} // namespace

AdditionalValuesPanel::AdditionalValuesPanel(uint16_t bookKind, QWidget* parent)
    : EntryPanel(QStringLiteral("1350"), parent), m_kind(bookKind) {
    setObjectName(QStringLiteral("1349"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const auto extras = model::additionalValues(bookKind);
    for (size_t row = 0; row < extras.size() && row < kMaxRows; ++row) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::number(kFirstLabel + int(row)));
        QLineEdit* edit = editFor(bookKind, extras[row].value);
        edit->setParent(this);
        edit->setObjectName(QString::number(kFirstEdit + int(row)));
        label->setBuddy(edit);
        grid->addWidget(label, int(row), 0);
        grid->addWidget(edit, int(row), 1);
        connect(edit, &QLineEdit::textEdited, this, &AdditionalValuesPanel::valuesEdited);
        m_labels.push_back(label);
        m_edits.push_back(edit);
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    layout->addWidget(applyButton(), 0, Qt::AlignRight);
    layout->addStretch(1);
    applyLanguage();
}

std::vector<std::u16string> AdditionalValuesPanel::texts() const {
    std::vector<std::u16string> out;
    out.reserve(m_edits.size());
    for (const QLineEdit* edit : m_edits)
        out.push_back(toU16(edit->text()));
    return out;
}

model::RowCommit AdditionalValuesPanel::commit(bool simWithoutHoles) {
    if (category() == nullptr)
        return {};
    return model::commitAdditionalValues(*category(), slot(), texts(), simWithoutHoles);
}

void AdditionalValuesPanel::fill(const model::Category* category, int slot) {
    const PhoneBookEntry* entry = category != nullptr ? category->entry(slot) : nullptr;
    const auto extras = model::additionalValues(m_kind);
    for (size_t row = 0; row < m_edits.size(); ++row) {
        const std::u16string_view value =
            entry != nullptr ? model::entryValue(*entry, extras[row].value) : u"";
        m_edits[row]->setText(QString::fromStdU16String(std::u16string(value)));
        m_edits[row]->setCursorPosition(0);
        // A value the card has no file for is shown only while the entry holds one.
        const bool shown = category == nullptr ||
                           model::cardHasRoomFor(*category, extras[row].value) || !value.empty();
        m_labels[row]->setVisible(shown);
        m_edits[row]->setVisible(shown);
    }
}

void AdditionalValuesPanel::applyFieldTexts() {
    const auto extras = model::additionalValues(m_kind);
    for (size_t row = 0; row < m_labels.size(); ++row)
        m_labels[row]->setText(text(extras[row].text));
}

bool AdditionalValuesPanel::differsFromStored() const {
    const PhoneBookEntry* entry = storedEntry();
    if (entry == nullptr)
        return false;
    const auto extras = model::additionalValues(m_kind);
    for (size_t row = 0; row < m_edits.size(); ++row) {
        if (toU16(m_edits[row]->text()) != model::entryValue(*entry, extras[row].value))
            return true;
    }
    return false;
}

} // namespace pelmora::ui
