#include "IdenPanel.h"

#include "Category.h"
#include "IdenFieldGrid.h"
#include "Records.h"
#include "SpeedDialChooser.h"
#include "SpeedDialNumbers.h"
#include "UiText.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelmora::ui {

namespace {

// Label texts of the grid's rows, top to bottom (labels 1005 on).
constexpr std::array<int, IdenFieldGrid::kRows> kLabelTexts = {8,  9,  10, 11, 12, 13,
                                                               14, 16, 15, 19, 17};
constexpr int kFirstLabel = 1005;

} // namespace

IdenPanel::IdenPanel(QWidget* parent) : EntryPanel(QStringLiteral("1042"), parent) {
    setObjectName(QStringLiteral("1004"));
    auto* layout = new QVBoxLayout(this);
    m_grid = new IdenFieldGrid(this);
    layout->addWidget(m_grid);
    // The speed-dial group row is shown but holds nothing.
    auto* groupRow = new QGridLayout;
    m_groupLabel = new QLabel(this);
    m_groupLabel->setObjectName(QStringLiteral("1016"));
    m_groupEdit = new QLineEdit(this);
    m_groupEdit->setObjectName(QStringLiteral("1028"));
    m_groupEdit->setEnabled(false);
    m_groupBox = new QLineEdit(this);
    m_groupBox->setObjectName(QStringLiteral("1040"));
    m_groupBox->setEnabled(false);
    m_groupBox->setMaximumWidth(m_grid->speedDialBox(kValueMain)->maximumWidth());
    groupRow->addWidget(m_groupLabel, 0, 0);
    groupRow->addWidget(m_groupEdit, 0, 1);
    groupRow->addWidget(m_groupBox, 0, 2);
    groupRow->setColumnStretch(1, 1);
    layout->addLayout(groupRow);
    layout->addWidget(applyButton(), 0, Qt::AlignRight);
    layout->addStretch(1);
    connect(m_grid, &IdenFieldGrid::edited, this, &IdenPanel::valuesEdited);
    applyLanguage();
}

void IdenPanel::applyFieldTexts() {
    for (int row = 0; row < IdenFieldGrid::kRows; ++row) {
        if (auto* label = m_grid->findChild<QLabel*>(QString::number(kFirstLabel + row)))
            label->setText(text(kLabelTexts[size_t(row)]));
    }
    if (auto* header = m_grid->findChild<QLabel*>(QStringLiteral("1041")))
        header->setText(text(20));
    m_groupLabel->setText(text(18));
}

void IdenPanel::fill(const model::Category* category, int slot) {
    if (category != nullptr)
        m_grid->showEntry(*category, slot);
    for (int value = 0; value < IdenFieldGrid::kRows; ++value)
        m_grid->valueEdit(value)->setCursorPosition(0);
}

void IdenPanel::beforeApply() {
    m_grid->chooser()->close();
}

model::IdenValues IdenPanel::values() const {
    model::IdenValues v;
    v.values = m_grid->values();
    const auto boxes = m_grid->speedDials();
    for (size_t k = 0; k < boxes.size(); ++k)
        v.speedDials[k] = int32_t(model::parseSpeedDialBox(boxes[k]));
    return v;
}

model::RowCommit IdenPanel::commit(bool simWithoutHoles) {
    if (category() == nullptr)
        return {};
    return model::commitIdenRow(*category(), slot(), values(), simWithoutHoles);
}

bool IdenPanel::differsFromStored() const {
    const PhoneBookEntry* entry = storedEntry();
    if (entry == nullptr)
        return false;
    const model::IdenValues now = values();
    for (int k = 0; k < IdenFieldGrid::kRows; ++k) {
        if (now.values[size_t(k)] != model::entryValue(*entry, k) ||
            now.speedDials[size_t(k)] != entry->recordNumbers[k])
            return true;
    }
    return false;
}

} // namespace pelmora::ui
