#include "IdenPanel.h"

#include "Category.h"
#include "CharacterFilter.h"
#include "FieldRules.h"
#include "Records.h"
#include "SpeedDialNumbers.h"
#include "UiText.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pelmora::ui {

namespace {

// Label texts of the rows, top to bottom, then the speed-dial group row.
constexpr std::array<int, IdenPanel::kRows + 1> kLabelTexts = {8,  9,  10, 11, 12, 13,
                                                               14, 16, 15, 19, 17, 18};
constexpr int kFirstLabel = 1005;
constexpr int kFirstEdit = 1017;
constexpr int kFirstBox = 1029;

int valueOfRow(int row) {
    return model::kPanelValueOrder[size_t(row)];
}

QString stored(const model::Category* category, int slot, int row) {
    const PhoneBookEntry* entry = category != nullptr ? category->entry(slot) : nullptr;
    return entry == nullptr ? QString()
                            : QString::fromStdU16String(
                                  std::u16string(model::entryValue(*entry, valueOfRow(row))));
}

} // namespace

IdenPanel::IdenPanel(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("1004"));
    auto* grid = new QGridLayout(this);
    m_speedDialLabel = new QLabel(this);
    m_speedDialLabel->setObjectName(QStringLiteral("1041"));
    grid->addWidget(m_speedDialLabel, 0, 2);
    for (int row = 0; row <= kRows; ++row) {
        m_labels[size_t(row)] = new QLabel(this);
        m_labels[size_t(row)]->setObjectName(QString::number(kFirstLabel + row));
        m_edits[size_t(row)] = new QLineEdit(this);
        m_edits[size_t(row)]->setObjectName(QString::number(kFirstEdit + row));
        m_boxes[size_t(row)] = new QLineEdit(this);
        m_boxes[size_t(row)]->setObjectName(QString::number(kFirstBox + row));
        m_boxes[size_t(row)]->setReadOnly(true);
        m_boxes[size_t(row)]->setMaximumWidth(56);
        m_boxes[size_t(row)]->installEventFilter(this);
        m_labels[size_t(row)]->setBuddy(m_edits[size_t(row)]);
        grid->addWidget(m_labels[size_t(row)], row + 1, 0);
        grid->addWidget(m_edits[size_t(row)], row + 1, 1);
        grid->addWidget(m_boxes[size_t(row)], row + 1, 2);
        if (row < kRows) {
            connect(m_edits[size_t(row)], &QLineEdit::textEdited, this,
                    [this, row] { valueEdited(row); });
        }
    }
    // The speed-dial group row is shown but holds nothing.
    m_edits[kRows]->setEnabled(false);
    m_chooser = new QComboBox(this);
    m_chooser->setObjectName(QStringLiteral("1090"));
    m_chooser->hide();
    m_chooser->installEventFilter(this);
    connect(m_chooser, &QComboBox::activated, this, [this] { closeChooser(); });
    m_apply = new QPushButton(this);
    m_apply->setObjectName(QStringLiteral("1042"));
    m_apply->setEnabled(false);
    grid->addWidget(m_apply, kRows + 2, 1, 1, 2, Qt::AlignRight);
    grid->setRowStretch(kRows + 3, 1);
    connect(m_apply, &QPushButton::clicked, this, [this] {
        closeChooser();
        emit applyRequested();
        m_apply->setEnabled(false);
    });
    applyLanguage();
}

void IdenPanel::applyLanguage() {
    for (size_t row = 0; row < m_labels.size(); ++row)
        m_labels[row]->setText(text(kLabelTexts[row]));
    m_speedDialLabel->setText(text(20));
    m_apply->setText(text(94));
    const PhoneBookEntry* entry = m_category != nullptr ? m_category->entry(m_slot) : nullptr;
    setTitle(text(21, entry != nullptr ? std::u16string(model::fieldText(entry->name))
                                       : std::u16string()));
}

void IdenPanel::clearFields() {
    for (size_t row = 0; row < m_edits.size(); ++row) {
        m_edits[row]->clear();
        m_boxes[row]->clear();
    }
}

void IdenPanel::showEntry(model::Category* category, int slot) {
    closeChooser();
    m_category = category;
    m_slot = category != nullptr && category->hasSlot(slot) ? slot : -1;
    clearFields();
    if (m_slot >= 0) {
        const PhoneBookEntry& entry = *category->entry(m_slot);
        for (int row = 0; row < kRows; ++row) {
            m_edits[size_t(row)]->setText(stored(category, m_slot, row));
            m_edits[size_t(row)]->setCursorPosition(0);
            const int32_t number = entry.recordNumbers[valueOfRow(row)];
            m_boxes[size_t(row)]->setText(number > 0 ? QString::number(number) : QString());
        }
    }
    applyLanguage();
    m_apply->setEnabled(false);
}

model::IdenValues IdenPanel::values() const {
    model::IdenValues v;
    for (int row = 0; row < kRows; ++row) {
        const auto k = size_t(valueOfRow(row));
        v.values[k] = m_edits[size_t(row)]->text().toStdU16String();
        v.speedDials[k] =
            int32_t(model::parseSpeedDialBox(m_boxes[size_t(row)]->text().toStdU16String()));
    }
    return v;
}

std::vector<uint8_t> IdenPanel::freeNumbers() const {
    model::SpeedDialPanel panel;
    for (int row = 0; row < kRows; ++row) {
        const auto k = size_t(valueOfRow(row));
        panel.boxes[k] = m_boxes[size_t(row)]->text().toStdU16String();
        panel.valueEmpty[k] = m_edits[size_t(row)]->text().isEmpty();
    }
    return model::freeSpeedDialMap(*m_category, panel, m_slot);
}

void IdenPanel::valueEdited(int row) {
    QLineEdit* edit = m_edits[size_t(row)];
    const std::u16string_view allowed =
        model::allowedCharacters(model::kBookNextel, valueOfRow(row));
    if (!allowed.empty()) {
        const auto filtered = model::filterCharacters(edit->text().toStdU16String(), allowed,
                                                      size_t(edit->cursorPosition()));
        if (filtered.changed) {
            edit->setText(QString::fromStdU16String(filtered.text));
            edit->setCursorPosition(int(filtered.caret));
        }
    }
    if (m_category == nullptr || m_slot < 0)
        return;
    if (edit->text() != stored(m_category, m_slot, row))
        m_apply->setEnabled(true);
    QLineEdit* box = m_boxes[size_t(row)];
    if (edit->text().isEmpty()) {
        box->clear();
    } else if (box->text().isEmpty()) {
        const int number = model::lowestFreeNumber(freeNumbers());
        if (number > 0)
            box->setText(QString::number(number));
        else
            edit->clear();
    }
}

void IdenPanel::openChooser(int row) {
    closeChooser();
    if (m_category == nullptr || m_slot < 0)
        return;
    QLineEdit* box = m_boxes[size_t(row)];
    m_chooserRow = row;
    m_chooser->clear();
    m_chooser->addItem(box->text());
    const std::vector<uint8_t> map = freeNumbers();
    for (size_t i = 0; i < map.size(); ++i) {
        if (map[i] != 0)
            m_chooser->addItem(QString::number(i + 1));
    }
    m_chooser->setGeometry(box->geometry());
    box->hide();
    m_chooser->show();
    m_chooser->setFocus();
}

void IdenPanel::closeChooser() {
    if (m_chooserRow < 0)
        return;
    QLineEdit* box = m_boxes[size_t(m_chooserRow)];
    m_chooserRow = -1;
    const QString chosen = m_chooser->currentText().left(9);
    if (chosen != box->text()) {
        box->setText(chosen);
        m_apply->setEnabled(true);
    }
    m_chooser->hide();
    box->show();
}

bool IdenPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int row = 0; row < kRows; ++row) {
            if (watched == m_boxes[size_t(row)]) {
                openChooser(row);
                break;
            }
        }
    } else if (event->type() == QEvent::FocusOut && watched == m_chooser &&
               !m_chooser->view()->isVisible()) {
        closeChooser();
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace pelmora::ui
