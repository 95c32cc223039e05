#include "WindowPinPrompter.h"

#include "PinDialog.h"
#include "PinNoticeText.h"
#include "Prompts.h"
#include "SecureZero.h"
#include "UiText.h"

namespace pelmora::ui {

namespace {

constexpr int kTextPukBlocked = 218;

// Moves the field's text into the secret; the copy is zeroed.
void take(const QString& field, model::SecretText& secret) {
    std::u16string copy = field.toStdU16String();
    secret.assign(copy);
    platform::secureZero(copy.data(), copy.size() * sizeof(char16_t));
}

} // namespace

WindowPinPrompter::WindowPinPrompter(QWidget* owner, velmet::Settings& settings)
    : m_owner(owner), m_settings(settings) {}

WindowPinPrompter::~WindowPinPrompter() {
    delete m_dialog.data();
}

PinDialog& WindowPinPrompter::dialogFor(PinDialogKind kind, int type, bool pin1Disabled,
                                        bool again) {
    if (!again || m_dialog == nullptr || m_dialog->kind() != kind || m_dialog->type() != type) {
        delete m_dialog.data();
        m_dialog = new PinDialog(kind, type, pin1Disabled, m_settings, m_owner);
        m_dialog->setReaderLine(m_readerLine);
        m_dialog->setDecoration(m_decoration);
    }
    m_dialog->clearEntries();
    return *m_dialog;
}

bool WindowPinPrompter::run(PinDialog& dialog, int attempts, bool failed) {
    dialog.setAttempts(attempts, failed);
    return dialog.exec() == QDialog::Accepted;
}

bool WindowPinPrompter::askPin(int type, int attempts, bool failed, model::SecretText& pin) {
    PinDialog& dialog = dialogFor(PinDialogKind::Verify, type, false, failed);
    if (!run(dialog, attempts, failed))
        return false;
    take(dialog.pin(), pin);
    dialog.clearEntries();
    return true;
}

bool WindowPinPrompter::askChange(int type, int attempts, bool pin1Disabled, bool failed,
                                  model::PinChange& answer) {
    PinDialog& dialog = dialogFor(PinDialogKind::Change, type, pin1Disabled, failed);
    if (!run(dialog, attempts, failed))
        return false;
    answer.disablePin1 = dialog.disablePin1();
    take(dialog.pin(), answer.newPin);
    take(dialog.confirmation(), answer.confirmation);
    dialog.clearEntries();
    return true;
}

bool WindowPinPrompter::askUnblock(int type, int pukAttempts, bool failed,
                                   model::PinUnblock& answer) {
    PinDialog& dialog = dialogFor(PinDialogKind::Unblock, type, false, failed);
    if (!run(dialog, pukAttempts, failed))
        return false;
    take(dialog.puk(), answer.puk);
    take(dialog.pin(), answer.newPin);
    take(dialog.confirmation(), answer.confirmation);
    dialog.clearEntries();
    return true;
}

void WindowPinPrompter::notice(int type, model::PinNotice notice) {
    // A PUK without attempts ends the unblock dialog with that dialog's own
    // message; every other notice reads as it does in velmet-cli.
    const QString message = notice == model::PinNotice::PukBlocked
                                ? text(kTextPukBlocked)
                                : fromU16(model::pinNoticeText(notice, type));
    Prompts::tell(m_owner, QMessageBox::Warning, message);
}

void WindowPinPrompter::cardError(int, const std::u16string& text) {
    Prompts::tell(m_owner, QMessageBox::Warning, fromU16(text));
}

} // namespace pelmora::ui
