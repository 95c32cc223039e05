#pragma once
// The PIN questions of a flow that runs on a card command's worker: each one
// is put to the UI's prompter on the UI thread while the worker waits for the
// answer. Called on the worker thread.

#include "PinPrompter.h"
#include "UiThread.h"

namespace pelmora::model {

class UiThreadPrompter final : public PinPrompter {
public:
    UiThreadPrompter(UiThread& uiThread, PinPrompter& target) : m_ui(uiThread), m_target(target) {}

    bool askPin(int type, int attempts, bool failed, SecretText& pin) override;
    bool askChange(int type, int attempts, bool pin1Disabled, bool failed,
                   PinChange& answer) override;
    bool askUnblock(int type, int pukAttempts, bool failed, PinUnblock& answer) override;
    void notice(int type, PinNotice notice) override;
    void cardError(int type, const std::u16string& text) override;

private:
    UiThread& m_ui;
    PinPrompter& m_target;
};

} // namespace pelmora::model
