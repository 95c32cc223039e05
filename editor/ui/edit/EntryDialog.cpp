#include "EntryDialog.h"

#include "Category.h"
#include "CategoryObserver.h"
#include "DialogButtonRow.h"
#include "EntryDialogOk.h"
#include "FieldRules.h"
#include "FilteredLineEdit.h"
#include "IdenFieldGrid.h"
#include "Prompts.h"
#include "Records.h"
#include "RememberedPlacement.h"
#include "Settings.h"
#include "UiText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelmora::ui {
namespace {

constexpr int kNameLength = 241;
constexpr int kShownNameCharacters = 32;

QLabel* label(const char* control, int textNumber, QWidget* buddy) {
    auto* l = new QLabel(text(textNumber));
    l->setObjectName(QString::fromLatin1(control));
    l->setBuddy(buddy);
    return l;
}

} // namespace

EntryDialog::EntryDialog(model::Category& book, const model::EntryDialogOpening& opening,
                         const QIcon& icon, velmet::Settings& settings, QWidget* parent)
    : QDialog(parent), m_book(book), m_settings(settings), m_slot(opening.slot) {
    const bool iden = opening.dialog == model::EntryDialogKind::Iden;
    setWindowTitle(text(opening.titleText != 0 ? opening.titleText : iden ? 146 : 145));
    setWindowIcon(icon);
    const PhoneBookEntry* stored = book.entry(m_slot);

    auto* iconLabel = new QLabel;
    iconLabel->setObjectName(QStringLiteral("1073"));
    iconLabel->setPixmap(icon.pixmap(32, 32));
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("1115"));
    m_name->setMaxLength(kNameLength);
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * kShownNameCharacters);
    m_position = new QComboBox;
    m_position->setObjectName(iden ? QStringLiteral("1043") : QStringLiteral("1090"));
    m_positions = model::entryPositions(book, m_slot);
    for (int position : m_positions) {
        m_position->addItem(QString::number(position + 1));
    }
    m_position->setCurrentIndex(0);
    m_position->setEnabled(!settings.simWithoutHoles);

    auto* fields = new QFormLayout;
    fields->addRow(label("1116", 118, m_name), m_name);
    if (iden) {
        fields->addRow(label("1130", 119, m_position), m_position);
        m_iden = new IdenFieldGrid;
        m_iden->showEntry(book, m_slot);
        fields->addRow(m_iden);
    } else {
        m_number = FilteredLineEdit::ofCharacters(std::u16string(model::kNumberCharacters));
        m_number->setObjectName(QStringLiteral("1017"));
        m_number->setMaxLength(static_cast<int>(model::entryValueWidth(kValueMain)));
        fields->addRow(label("1005", 121, m_number), m_number);
        fields->addRow(label("1130", 119, m_position), m_position);
        if (stored) {
            m_number->setText(
                QString::fromStdU16String(std::u16string(model::fieldText(stored->value0))));
        }
    }
    if (stored) {
        m_name->setText(QString::fromStdU16String(std::u16string(model::fieldText(stored->name))));
    }

    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addLayout(fields, 1);
    auto* buttons = DialogButtonRow::okCancel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    new RememberedPlacement(this, settings,
                            iden ? velmet::WindowKey::EditNextel : velmet::WindowKey::Edit);
}

void EntryDialog::accept() {
    model::EntryDialogFields fields;
    fields.name = toU16(m_name->text());
    if (m_iden) {
        fields.values = m_iden->values();
        fields.speedDials = m_iden->speedDials();
    } else {
        fields.values[kValueMain] = toU16(m_number->text());
    }
    const int index = m_position->currentIndex();
    const int position = index >= 0 && static_cast<size_t>(index) < m_positions.size()
                             ? m_positions[static_cast<size_t>(index)]
                             : m_slot;
    const model::EntryDialogResult result = model::applyEntryDialog(
        m_book, m_slot, position, fields, m_settings.allowEmptyNameContacts);
    if (result.refusalText != 0) {
        Prompts::tell(this, QMessageBox::Warning, text(result.refusalText));
        return;
    }
    m_written = result.slot;
    QDialog::accept();
}

int runEntryDialog(model::Category& book, int slot, bool mayGrow, const QIcon& addIcon,
                   const QIcon& editIcon, velmet::Settings& settings, model::CategoryObserver* list,
                   QWidget* parent) {
    const model::EntryDialogOpening opening = model::openEntryDialog(book, slot, mayGrow);
    if (opening.messageText != 0) {
        Prompts::tell(parent, QMessageBox::Warning, text(opening.messageText));
        return -1;
    }
    if (opening.dialog == model::EntryDialogKind::None) {
        return -1;
    }
    EntryDialog dialog(book, opening, opening.addIcon ? addIcon : editIcon, settings, parent);
    dialog.exec();
    const int written = dialog.writtenSlot();
    if (written >= 0 && list != nullptr) {
        list->refillEntries(book);
        list->selectSlots(book, std::span<const int>(&written, 1));
    }
    return written;
}

} // namespace pelmora::ui
