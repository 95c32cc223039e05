#include "OptionsDialog.h"

#include "DialogButtonRow.h"
#include "FileAssociation.h"
#include "FontConversion.h"
#include "Prompts.h"
#include "RememberedPlacement.h"
#include "UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelmora::ui {
namespace {

using velmet::OptionsForm;

struct CheckRow {
    const char* control;
    int textNumber;
    bool OptionsForm::*field;
};
constexpr CheckRow kCheckRows[] = {
    {"1148", 184, &OptionsForm::saveWindowPos},
    {"1150", 211, &OptionsForm::toolbarMode},
    {"1160", 214, &OptionsForm::saveCsvAnsi},
    {"1164", 217, &OptionsForm::simReadWriteAll},
    {"1165", 219, &OptionsForm::saveOnlyAdnCsv},
    {"1166", 220, &OptionsForm::allowEmptyNameContacts},
    {"1167", 221, &OptionsForm::showButtonText},
    {"1168", 222, &OptionsForm::simSaveUpdatedOnly},
    {"1282", 1282, &OptionsForm::verifyAfterWrite},
    {"1169", 228, &OptionsForm::enableLog},
    {"1171", 229, &OptionsForm::keepEmptySlots},
    {"1172", 231, &OptionsForm::showDeletedSms},
};
// The toolbar mode is always on; its box is kept but not shown.
constexpr const char* kHiddenCheck = "1150";
constexpr int kExtensionLength = 255;

QLabel* labelFor(QWidget* buddy, const char* control, int textNumber) {
    auto* label = new QLabel(text(textNumber));
    label->setObjectName(QString::fromLatin1(control));
    label->setBuddy(buddy);
    return label;
}

QLineEdit* extensionEdit(const char* control, const std::u16string& value) {
    auto* edit = new QLineEdit(QString::fromStdU16String(value));
    edit->setObjectName(QString::fromLatin1(control));
    edit->setMaxLength(kExtensionLength);
    return edit;
}

} // namespace

OptionsDialog::OptionsDialog(velmet::Settings& settings, velmet::FileAssociation& association,
                             const QIcon& icon, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_association(association) {
    setWindowTitle(text(224));
    setWindowIcon(icon);
    const OptionsForm values = velmet::optionsForm(settings);

    auto* iconLabel = new QLabel;
    iconLabel->setObjectName(QStringLiteral("1073"));
    iconLabel->setPixmap(icon.pixmap(32, 32));

    m_defaultExtension = extensionEdit("1145", values.defaultExtension);
    m_backupExtension = extensionEdit("1147", values.backupExtension);
    m_language = new QComboBox;
    m_language->setObjectName(QStringLiteral("1151"));
    const velmet::LanguageList languages = velmet::languageList(settings);
    for (const std::u16string& name : languages.names) {
        m_language->addItem(QString::fromStdU16String(name));
    }
    m_language->setCurrentIndex(languages.current);

    // The two extensions and the language list show the list font.
    if (settings.font) {
        const QFont listFont = toQFont(*settings.font);
        for (QWidget* field :
             {static_cast<QWidget*>(m_defaultExtension), static_cast<QWidget*>(m_backupExtension),
              static_cast<QWidget*>(m_language)}) {
            field->setFont(listFont);
        }
    }

    auto* fields = new QFormLayout;
    fields->addRow(labelFor(m_defaultExtension, "1143", 182), m_defaultExtension);
    fields->addRow(labelFor(m_backupExtension, "1146", 183), m_backupExtension);
    fields->addRow(labelFor(m_language, "1149", 185), m_language);

    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addLayout(fields, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    for (const CheckRow& row : kCheckRows) {
        auto* box = new QCheckBox(text(row.textNumber));
        box->setObjectName(QString::fromLatin1(row.control));
        box->setChecked(values.*row.field);
        box->setVisible(qstrcmp(row.control, kHiddenCheck) != 0);
        layout->addWidget(box);
        m_checks.push_back({box, row.field});
    }
    auto* buttons = DialogButtonRow::okCancel(this);
    layout->addLayout(buttons);

    new RememberedPlacement(this, settings, velmet::WindowKey::Options);
}

OptionsForm OptionsDialog::form() const {
    OptionsForm values = velmet::optionsForm(m_settings);
    values.defaultExtension = toU16(m_defaultExtension->text());
    values.backupExtension = toU16(m_backupExtension->text());
    values.language = toU16(m_language->currentText());
    for (const Check& check : m_checks) {
        values.*check.field = check.box->isChecked();
    }
    return values;
}

void OptionsDialog::accept() {
    const velmet::OptionsOutcome outcome = velmet::applyOptions(m_settings, form(), m_association);
    if (outcome.associationFailed) {
        Prompts::tell(this, QMessageBox::Warning,
                      text(760, m_settings.defaultExtension, m_settings.title));
    }
    QDialog::accept();
}

} // namespace pelmora::ui
