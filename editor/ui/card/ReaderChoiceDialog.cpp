#include "ReaderChoiceDialog.h"

#include "DialogButtonRow.h"
#include "RememberedPlacement.h"
#include "UiText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pelmora::ui {

namespace {
constexpr int kTitle = 189;
constexpr int kTextReaders = 190;
constexpr int kTextColumn = 191;
constexpr int kIconSize = 32;
} // namespace

ReaderChoiceDialog::ReaderChoiceDialog(const QStringList& readers, const QIcon& readerIcon,
                                       velmet::Settings& settings, QWidget* owner)
    : QDialog(owner) {
    new RememberedPlacement(this, settings, velmet::WindowKey::SelectReaders);
    setObjectName(QStringLiteral("114"));
    setWindowTitle(text(kTitle));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("1073"));
    icon->setPixmap(readerIcon.pixmap(kIconSize));
    icon->setAlignment(Qt::AlignTop);
    auto* caption = new QLabel(text(kTextReaders), this);
    caption->setObjectName(QStringLiteral("1152"));

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("1153"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({text(kTextColumn)});
    m_list->header()->setStretchLastSection(true);
    for (const QString& reader : readers)
        new QTreeWidgetItem(m_list, {reader});
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        m_list->topLevelItem(row)->setIcon(0, readerIcon);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { accept(); });

    auto* head = new QHBoxLayout;
    head->addWidget(icon);
    head->addWidget(caption, 1);
    auto* page = new QVBoxLayout(this);
    page->addLayout(head);
    page->addWidget(m_list, 1);
    page->addLayout(DialogButtonRow::okCancel(this));
    resize(sizeHint().width() * 3 / 2, sizeHint().height());
}

int ReaderChoiceDialog::choose(const QStringList& readers, const QIcon& readerIcon,
                               velmet::Settings& settings, QWidget* owner) {
    if (readers.isEmpty())
        return -1;
    ReaderChoiceDialog dialog(readers, readerIcon, settings, owner);
    return dialog.exec() == Accepted ? dialog.chosenRow() : -1;
}

int ReaderChoiceDialog::chosenRow() const {
    QTreeWidgetItem* item = m_list->currentItem();
    return item != nullptr ? m_list->indexOfTopLevelItem(item) : -1;
}

void ReaderChoiceDialog::done(int result) {
    if (result == Accepted && chosenRow() < 0)
        return;
    QDialog::done(result);
}

} // namespace pelmora::ui
