#include "PropertiesDialog.h"

#include "DialogButtonRow.h"
#include "RememberedPlacement.h"
#include "UiText.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace pelmora::ui {

namespace {
constexpr int kTextReader = 58;
} // namespace

PropertiesDialog::PropertiesDialog(const char* name, int titleText, velmet::WindowKey key,
                                   velmet::Settings& settings, const QString& readerLine,
                                   const QPixmap& decoration, QWidget* owner)
    : QDialog(owner) {
    new RememberedPlacement(this, settings, key);
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(text(titleText));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("1114"));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    picture->setPixmap(decoration);
    picture->setVisible(!decoration.isNull());

    m_form = new QFormLayout;
    m_form->setLabelAlignment(Qt::AlignLeft);
    addRow(kTextReader, "1074", "1075", readerLine);
    QWidget* reader = findChild<QWidget*>(QStringLiteral("1075"));
    QFont bold = reader->font();
    bold.setBold(true);
    reader->setFont(bold);

    auto* body = new QHBoxLayout;
    body->addWidget(picture);
    body->addLayout(m_form, 1);
    m_buttonRow = new DialogButtonRow;
    m_buttonRow->addOk(this);
    auto* page = new QVBoxLayout(this);
    page->addLayout(body);
    page->addLayout(m_buttonRow);
    page->setSizeConstraint(QLayout::SetFixedSize);
}

void PropertiesDialog::addRow(int labelText, const char* labelName, const char* valueName,
                              const QString& value) {
    auto* label = new QLabel(text(labelText), this);
    label->setObjectName(QString::fromLatin1(labelName));
    auto* field = new QLabel(value, this);
    field->setObjectName(QString::fromLatin1(valueName));
    field->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_form->addRow(label, field);
}

} // namespace pelmora::ui
