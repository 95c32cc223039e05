#include "ReadersDialog.h"

#include "AtrMeaning.h"
#include "DialogButtonRow.h"
#include "ReaderReport.h"
#include "UiText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pelmora::ui {

namespace {
constexpr int kTitle = 1234;
constexpr int kCopyReport = 1235;
constexpr int kFirstColumn = 1236; // Reader, State, ATR, What the ATR says
constexpr int kColumns = 4;
} // namespace

ReadersDialog::ReadersDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("1234"));
    setWindowTitle(text(kTitle));

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("readerList"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(kColumns);
    QStringList heads;
    for (int column = 0; column < kColumns; ++column)
        heads << text(kFirstColumn + column);
    m_list->setHeaderLabels(heads);
    m_list->header()->setStretchLastSection(true);

    m_advice = new QLabel(this);
    m_advice->setObjectName(QStringLiteral("readerAdvice"));
    m_advice->setWordWrap(true);

    auto* buttons = new DialogButtonRow;
    buttons->addOk(this);
    connect(buttons->add("1235", kCopyReport), &QPushButton::clicked, this,
            &ReadersDialog::copyReport);
    auto* page = new QVBoxLayout(this);
    page->addWidget(m_list, 1);
    page->addWidget(m_advice);
    page->addLayout(buttons);
    setMinimumSize(760, 280);
}

void ReadersDialog::showCheck(const model::ReaderCheck& check) {
    m_check = check;
    m_list->clear();
    for (const model::ReaderFinding& finding : check.readers) {
        new QTreeWidgetItem(
            m_list, {fromU16(finding.reader), fromU16(model::situationLabel(finding.situation)),
                     fromU16(finding.atr), fromU16(model::atrMeaningText(finding.atr))});
    }
    for (int column = 0; column + 1 < kColumns; ++column)
        m_list->resizeColumnToContents(column);
    m_advice->setText(fromU16(check.advice()));
}

void ReadersDialog::copyReport() {
    QGuiApplication::clipboard()->setText(fromU16(model::readerReport(m_check)));
}

} // namespace pelmora::ui
