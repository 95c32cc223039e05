#include "UiThreadPrompter.h"

namespace pelmora::model {

bool UiThreadPrompter::askPin(int type, int attempts, bool failed, SecretText& pin) {
    return askOnUiThread(m_ui, [&] { return m_target.askPin(type, attempts, failed, pin); });
}

bool UiThreadPrompter::askChange(int type, int attempts, bool pin1Disabled, bool failed,
                                 PinChange& answer) {
    return askOnUiThread(
        m_ui, [&] { return m_target.askChange(type, attempts, pin1Disabled, failed, answer); });
}

bool UiThreadPrompter::askUnblock(int type, int pukAttempts, bool failed, PinUnblock& answer) {
    return askOnUiThread(m_ui,
                         [&] { return m_target.askUnblock(type, pukAttempts, failed, answer); });
}

void UiThreadPrompter::notice(int type, PinNotice notice) {
    (void)askOnUiThread(m_ui, [&] {
        m_target.notice(type, notice);
        return true;
    });
}

void UiThreadPrompter::cardError(int type, const std::u16string& text) {
    (void)askOnUiThread(m_ui, [&] {
        m_target.cardError(type, text);
        return true;
    });
}

} // namespace pelmora::model
