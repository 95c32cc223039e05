#include "FindReplaceDialog.h"

#include "Category.h"
#include "DialogButtonRow.h"
#include "FindReplace.h"
#include "RememberedPlacement.h"
#include "Settings.h"
#include "UiText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelmora::ui {
namespace {

constexpr int kSearchEditLength = 241;

QLineEdit* searchEdit(const char* control, const std::u16string& value) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(control));
    edit->setMaxLength(kSearchEditLength);
    edit->setText(QString::fromStdU16String(value));
    return edit;
}

QCheckBox* checkBox(const char* control, int textNumber, bool checked) {
    auto* box = new QCheckBox(text(textNumber));
    box->setObjectName(QString::fromLatin1(control));
    box->setChecked(checked);
    return box;
}

QLabel* label(const char* control, int textNumber, QWidget* buddy) {
    auto* l = new QLabel(text(textNumber));
    l->setObjectName(QString::fromLatin1(control));
    l->setBuddy(buddy);
    return l;
}

std::u16string stored(const QLineEdit* edit) {
    return toU16(edit->text().left(static_cast<int>(velmet::kShortPathLength)));
}

} // namespace

FindReplaceDialog::FindReplaceDialog(model::Category& book, model::CategoryObserver* list,
                                     velmet::Settings& settings, QWidget* parent)
    : QDialog(parent), m_book(book), m_list(list), m_settings(settings) {
    setWindowTitle(text(79));
    m_search = searchEdit("1065", settings.searchText);
    m_replacement = searchEdit("1086", settings.replaceText);
    m_matchCase = checkBox("1088", 77, settings.matchCase);
    m_matchWord = checkBox("1089", 78, settings.matchWord);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);

    auto* grid = new QGridLayout;
    grid->addWidget(label("1084", 75, m_search), 0, 0);
    grid->addWidget(m_search, 0, 1);
    grid->addWidget(label("1085", 76, m_replacement), 1, 0);
    grid->addWidget(m_replacement, 1, 1);
    grid->addWidget(m_matchCase, 2, 1);
    grid->addWidget(m_matchWord, 3, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new DialogButtonRow;
    buttons->addCancel(this);
    m_replaceAll = buttons->add("replaceAll", 752);
    m_replace = buttons->add("1087", 751);
    m_findNext = buttons->add("1", 750);
    m_findNext->setDefault(true);
    connect(m_findNext, &QPushButton::clicked, this, &FindReplaceDialog::findNext);
    connect(m_replace, &QPushButton::clicked, this, &FindReplaceDialog::replace);
    connect(m_replaceAll, &QPushButton::clicked, this, &FindReplaceDialog::replaceAll);
    connect(m_search, &QLineEdit::textChanged, this, &FindReplaceDialog::followSearchText);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    followSearchText();
    new RememberedPlacement(this, settings, velmet::WindowKey::Search);
}

model::SearchOptions FindReplaceDialog::options() const {
    return {toU16(m_search->text()), m_matchCase->isChecked(), m_matchWord->isChecked()};
}

void FindReplaceDialog::followSearchText() {
    const bool searchable = !m_search->text().isEmpty();
    m_findNext->setEnabled(searchable);
    m_replace->setEnabled(searchable);
    m_replaceAll->setEnabled(searchable);
}

void FindReplaceDialog::say(const QString& message) {
    m_status->setText(message);
}

void FindReplaceDialog::findNext() {
    say(model::findNext(m_book, options(), m_list) ? QString()
                                                   : text(753, toU16(m_search->text())));
}

void FindReplaceDialog::replace() {
    switch (model::replaceNext(m_book, options(), toU16(m_replacement->text()), m_list)) {
    case model::ReplaceResult::NotFound:
        say(text(753, toU16(m_search->text())));
        break;
    case model::ReplaceResult::Refused:
        say(text(754));
        break;
    case model::ReplaceResult::Replaced:
        say(QString());
        break;
    }
}

void FindReplaceDialog::replaceAll() {
    const model::ReplaceAllResult result =
        model::replaceAll(m_book, options(), toU16(m_replacement->text()), m_list);
    if (result.replaced == 0 && result.refused == 0) {
        say(text(753, toU16(m_search->text())));
    } else if (result.refused == 0) {
        say(text(755, result.replaced));
    } else {
        say(text(756, result.replaced, result.refused));
    }
}

void FindReplaceDialog::done(int result) {
    m_settings.searchText = stored(m_search);
    m_settings.replaceText = stored(m_replacement);
    m_settings.matchCase = m_matchCase->isChecked();
    m_settings.matchWord = m_matchWord->isChecked();
    QDialog::done(result);
}

} // namespace pelmora::ui
