#include "PinDialog.h"

#include "DialogButtonRow.h"
#include "PinRules.h"
#include "RememberedPlacement.h"
#include "UiText.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace pelmora::ui {

namespace {

using velmet::WindowKey;

// Texts by number: [PIN1, PIN2].
constexpr int kTitleVerify[] = {56, 62};
constexpr int kTitleChange[] = {65, 66};
constexpr int kTitleUnblock[] = {69, 71};
constexpr int kPinLabel[] = {57, 63};
constexpr int kPukLabel[] = {70, 72};
constexpr int kTextReader = 58;
constexpr int kTextAttempts = 59;
constexpr int kTextShowPin = 60;
constexpr int kTextNewPin = 64;
constexpr int kTextDisablePin1 = 67;
constexpr int kTextRepeatPin = 700;

WindowKey placementKey(PinDialogKind kind) {
    switch (kind) {
    case PinDialogKind::Verify:
        return WindowKey::Pin;
    case PinDialogKind::Change:
        return WindowKey::ChangePin;
    case PinDialogKind::Unblock:
        break;
    }
    return WindowKey::UnblockPin;
}

QLabel* label(int number, const char* name, QWidget* parent) {
    auto* l = new QLabel(text(number), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

std::u16string_view view(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size())};
}

} // namespace

PinDialog::PinDialog(PinDialogKind kind, int type, bool pin1Disabled, velmet::Settings& settings,
                     QWidget* owner)
    : QDialog(owner), m_settings(settings), m_kind(kind), m_type(type == 2 ? 2 : 1),
      m_pin1Disabled(pin1Disabled && kind == PinDialogKind::Change && m_type == 1) {
    new RememberedPlacement(this, settings, placementKey(kind));
    const int t = m_type - 1;
    setObjectName(QStringLiteral("%1").arg(kind == PinDialogKind::Verify   ? 102
                                           : kind == PinDialogKind::Change ? 106
                                                                           : 107));
    setWindowTitle(text(kind == PinDialogKind::Verify   ? kTitleVerify[t]
                        : kind == PinDialogKind::Change ? kTitleChange[t]
                                                        : kTitleUnblock[t]));

    m_decoration = new QLabel(this);
    m_decoration->setObjectName(QStringLiteral("1073"));
    m_decoration->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* form = new QFormLayout;
    m_readerLine = new QLabel(this);
    m_readerLine->setObjectName(QStringLiteral("1075"));
    QFont bold = m_readerLine->font();
    bold.setBold(true);
    m_readerLine->setFont(bold);
    form->addRow(label(kTextReader, "1074", this), m_readerLine);

    m_attempts = new QLabel(this);
    QFont heavy = m_attempts->font();
    heavy.setWeight(QFont::ExtraBold);
    m_attempts->setFont(heavy);

    switch (kind) {
    case PinDialogKind::Verify:
        buildVerify(*form);
        break;
    case PinDialogKind::Change:
        buildChange(*form, pin1Disabled);
        break;
    case PinDialogKind::Unblock:
        buildUnblock(*form);
        break;
    }

    m_showPin = new QCheckBox(text(kTextShowPin), this);
    m_showPin->setObjectName(QStringLiteral("1078"));
    m_showPin->setChecked(settings.showPin);
    form->addRow(QString(), m_showPin);
    showInput(settings.showPin);
    connect(m_showPin, &QCheckBox::toggled, this, [this](bool shown) {
        m_settings.showPin = shown;
        showInput(shown);
        QLineEdit* first = m_puk != nullptr ? m_puk : m_pin;
        if (first->isEnabled())
            first->setFocus();
    });

    auto* buttons = new DialogButtonRow;
    buttons->addCancel(this);
    m_ok = buttons->addOk(this);
    auto* body = new QHBoxLayout;
    body->addWidget(m_decoration);
    body->addLayout(form, 1);
    auto* page = new QVBoxLayout(this);
    page->addLayout(body);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetFixedSize);
    updateOk();
}

QLineEdit* PinDialog::addPinField(const char* name, int maxDigits) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setMaxLength(maxDigits);
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(maxDigits)), field));
    field->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * (maxDigits + 6));
    connect(field, &QLineEdit::textChanged, this, &PinDialog::updateOk);
    return field;
}

void PinDialog::buildVerify(QFormLayout& form) {
    m_pin = addPinField("1064", model::kPinMaxDigits);
    form.addRow(label(kPinLabel[m_type - 1], "1077", this), m_pin);
    m_attempts->setObjectName(QStringLiteral("1076"));
    form.addRow(QString(), m_attempts);
}

void PinDialog::buildChange(QFormLayout& form, bool pin1Disabled) {
    m_attempts->setObjectName(QStringLiteral("attempts"));
    form.addRow(label(kPinLabel[m_type - 1], "1077", this), m_attempts);
    m_pin = addPinField("1064", model::kPinMaxDigits);
    form.addRow(label(kTextNewPin, "1076", this), m_pin);
    m_confirmation = addPinField("1079", model::kPinMaxDigits);
    form.addRow(label(kTextRepeatPin, "repeatLabel", this), m_confirmation);
    m_disablePin1 = new QCheckBox(text(kTextDisablePin1), this);
    m_disablePin1->setObjectName(QStringLiteral("1080"));
    form.addRow(QString(), m_disablePin1);
    if (m_type != 1) {
        m_disablePin1->setEnabled(false);
        m_disablePin1->hide();
        return;
    }
    // A card whose PIN1 check is off cannot change PIN1: the box switches the
    // check on or leaves it off, and the fields stay closed.
    m_disablePin1->setChecked(pin1Disabled);
    const auto fieldsFollowBox = [this](bool disable) {
        const bool open = !disable && !m_pin1Disabled;
        m_pin->setEnabled(open);
        m_confirmation->setEnabled(open);
        updateOk();
    };
    connect(m_disablePin1, &QCheckBox::toggled, this, fieldsFollowBox);
    fieldsFollowBox(pin1Disabled);
}

void PinDialog::buildUnblock(QFormLayout& form) {
    const int t = m_type - 1;
    m_puk = addPinField("1082", model::kPukFieldDigits);
    form.addRow(label(kPukLabel[t], "1083", this), m_puk);
    m_attempts->setObjectName(QStringLiteral("1076"));
    form.addRow(QString(), m_attempts);
    form.addRow(label(kPinLabel[t], "1077", this));
    m_pin = addPinField("1064", model::kPinMaxDigits);
    form.addRow(label(kTextNewPin, "1081", this), m_pin);
    m_confirmation = addPinField("1079", model::kPinMaxDigits);
    form.addRow(label(kTextRepeatPin, "repeatLabel", this), m_confirmation);
}

void PinDialog::setReaderLine(const QString& line) {
    m_readerLine->setText(line);
}

void PinDialog::setDecoration(const QPixmap& picture) {
    m_decoration->setPixmap(picture);
    m_decoration->setVisible(!picture.isNull());
}

void PinDialog::setAttempts(int attempts, bool failed) {
    m_attempts->setText(text(kTextAttempts, attempts));
    QPalette palette = m_attempts->palette();
    palette.setColor(QPalette::WindowText,
                     failed ? QColor(Qt::red) : palette.color(QPalette::ButtonText));
    m_attempts->setPalette(palette);
}

void PinDialog::clearEntries() {
    for (QLineEdit* field : {m_pin, m_confirmation, m_puk}) {
        if (field != nullptr)
            field->clear();
    }
    (m_puk != nullptr ? m_puk : m_pin)->setFocus();
}

QString PinDialog::pin() const {
    return m_pin->text();
}

QString PinDialog::confirmation() const {
    return m_confirmation != nullptr ? m_confirmation->text() : QString();
}

QString PinDialog::puk() const {
    return m_puk != nullptr ? m_puk->text() : QString();
}

bool PinDialog::disablePin1() const {
    return m_disablePin1 != nullptr && m_type == 1 && m_disablePin1->isChecked();
}

void PinDialog::showInput(bool shown) {
    const auto mode = shown ? QLineEdit::Normal : QLineEdit::Password;
    for (QLineEdit* field : {m_pin, m_confirmation, m_puk}) {
        if (field != nullptr)
            field->setEchoMode(mode);
    }
}

void PinDialog::updateOk() {
    if (m_ok == nullptr)
        return; // still being built
    bool valid = false;
    switch (m_kind) {
    case PinDialogKind::Verify:
        valid = model::isPinText(view(m_pin->text()));
        break;
    case PinDialogKind::Change:
        valid = !m_pin->isEnabled() ||
                model::newPinConfirmed(view(m_pin->text()), view(m_confirmation->text()));
        break;
    case PinDialogKind::Unblock:
        valid = model::isPukText(view(m_puk->text())) &&
                model::newPinConfirmed(view(m_pin->text()), view(m_confirmation->text()));
        break;
    }
    m_ok->setEnabled(valid);
}

void PinDialog::done(int result) {
    // Enter in a field presses OK even while it is disabled.
    if (result == Accepted && !m_ok->isEnabled())
        return;
    QDialog::done(result);
}

} // namespace pelmora::ui
