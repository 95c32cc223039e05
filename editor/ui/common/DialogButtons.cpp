#include "DialogButtons.h"

#include "UiText.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace pelmora::ui {

namespace {
constexpr int kTextOk = 54;
constexpr int kTextCancel = 55;
} // namespace

QDialogButtonBox* okCancelButtons(QDialog& dialog, bool withCancel) {
    auto* box = new QDialogButtonBox(&dialog);
    QPushButton* ok = box->addButton(text(kTextOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    if (withCancel) {
        QPushButton* cancel = box->addButton(text(kTextCancel), QDialogButtonBox::RejectRole);
        cancel->setObjectName(QStringLiteral("1072"));
    }
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return box;
}

QPushButton* okButton(const QDialogButtonBox& buttons) {
    return buttons.findChild<QPushButton*>(QStringLiteral("1"));
}

} // namespace pelmora::ui
