#include "IdenFieldGrid.h"

#include "Category.h"
#include "FieldRules.h"
#include "FilteredLineEdit.h"
#include "Records.h"
#include "SpeedDialChooser.h"
#include "SpeedDialNumbers.h"
#include "UiText.h"

#include <QEvent>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>

namespace pelmora::ui {
namespace {

// Rows top to bottom: labels 1005.., edits 1017.., boxes 1029.., and the
// texts of the labels.
constexpr int kFirstLabel = 1005;
constexpr int kFirstEdit = 1017;
constexpr int kFirstBox = 1029;
constexpr std::array<int, IdenFieldGrid::kRows> kLabelTexts = {8,  9,  10, 11, 12, 13,
                                                               14, 16, 15, 19, 17};
constexpr int kSpeedDialDigits = 9;

int valueOfRow(int row) {
    return model::kPanelValueOrder[static_cast<size_t>(row)];
}

QString named(int number) {
    return QString::number(number);
}

} // namespace

IdenFieldGrid::IdenFieldGrid(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* header = new QLabel(text(20));
    header->setObjectName(named(1041));
    grid->addWidget(header, 0, 2);
    for (int row = 0; row < kRows; ++row) {
        const int value = valueOfRow(row);
        auto* label = new QLabel(text(kLabelTexts[static_cast<size_t>(row)]));
        label->setObjectName(named(kFirstLabel + row));
        auto* edit = FilteredLineEdit::ofCharacters(
            std::u16string(model::allowedCharacters(model::kBookNextel, value)));
        edit->setObjectName(named(kFirstEdit + row));
        auto* box = new QLineEdit;
        box->setObjectName(named(kFirstBox + row));
        box->setMaxLength(kSpeedDialDigits);
        box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
        box->installEventFilter(this);
        label->setBuddy(edit);
        grid->addWidget(label, row + 1, 0);
        grid->addWidget(edit, row + 1, 1);
        grid->addWidget(box, row + 1, 2);
        m_edits[static_cast<size_t>(row)] = edit;
        m_boxes[static_cast<size_t>(row)] = box;
        connect(edit, &QLineEdit::textEdited, this, [this, row] { valueEdited(row); });
    }
    grid->setColumnStretch(1, 1);
    m_chooser = new SpeedDialChooser(this);
    connect(m_chooser, &SpeedDialChooser::chosen, this, &IdenFieldGrid::edited);
}

void IdenFieldGrid::showEntry(const model::Category& book, int slot) {
    m_chooser->close();
    m_book = &book;
    m_slot = book.hasSlot(slot) ? slot : -1;
    const PhoneBookEntry* entry = m_slot >= 0 ? book.entry(m_slot) : nullptr;
    for (int row = 0; row < kRows; ++row) {
        const int value = valueOfRow(row);
        const int32_t number = entry ? entry->recordNumbers[value] : 0;
        m_edits[static_cast<size_t>(row)]->setText(
            entry ? QString::fromStdU16String(std::u16string(model::entryValue(*entry, value)))
                  : QString());
        // Number 0 is no speed dial: the box stays empty.
        m_boxes[static_cast<size_t>(row)]->setText(number > 0 ? QString::number(number)
                                                              : QString());
    }
}

int IdenFieldGrid::rowOfValue(int value) {
    for (int row = 0; row < kRows; ++row) {
        if (valueOfRow(row) == value) {
            return row;
        }
    }
    return 0;
}

std::array<std::u16string, IdenFieldGrid::kRows>
IdenFieldGrid::textsByValue(const std::array<QLineEdit*, kRows>& rows) {
    std::array<std::u16string, kRows> out;
    for (int row = 0; row < kRows; ++row) {
        out[static_cast<size_t>(valueOfRow(row))] = toU16(rows[static_cast<size_t>(row)]->text());
    }
    return out;
}

std::array<std::u16string, IdenFieldGrid::kRows> IdenFieldGrid::values() const {
    return textsByValue(m_edits);
}

std::array<std::u16string, IdenFieldGrid::kRows> IdenFieldGrid::speedDials() const {
    return textsByValue(m_boxes);
}

QLineEdit* IdenFieldGrid::valueEdit(int value) const {
    return m_edits[static_cast<size_t>(rowOfValue(value))];
}

QLineEdit* IdenFieldGrid::speedDialBox(int value) const {
    return m_boxes[static_cast<size_t>(rowOfValue(value))];
}

std::vector<uint8_t> IdenFieldGrid::freeMap() const {
    if (m_book == nullptr) {
        return {};
    }
    model::SpeedDialPanel panel;
    for (int row = 0; row < kRows; ++row) {
        const auto value = static_cast<size_t>(valueOfRow(row));
        panel.boxes[value] = toU16(m_boxes[static_cast<size_t>(row)]->text());
        panel.valueEmpty[value] = m_edits[static_cast<size_t>(row)]->text().isEmpty();
    }
    return model::freeSpeedDialMap(*m_book, panel, m_slot);
}

void IdenFieldGrid::valueEdited(int row) {
    QLineEdit* edit = m_edits[static_cast<size_t>(row)];
    QLineEdit* box = m_boxes[static_cast<size_t>(row)];
    if (edit->text().isEmpty()) {
        box->clear();
    } else if (box->text().isEmpty()) {
        const int number = model::lowestFreeNumber(freeMap());
        if (number > 0) {
            box->setText(QString::number(number));
        } else {
            // Every record of the book is taken: the value has nowhere to go.
            edit->clear();
        }
    }
    emit edited();
}

bool IdenFieldGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (QLineEdit* box : m_boxes) {
            if (watched == box) {
                std::vector<int> free;
                const std::vector<uint8_t> map = freeMap();
                for (size_t i = 0; i < map.size(); ++i) {
                    if (map[i] != 0) {
                        free.push_back(static_cast<int>(i + 1));
                    }
                }
                m_chooser->open(box, free);
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace pelmora::ui
