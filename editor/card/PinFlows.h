#pragma once
// The PIN steps of the card commands: unblocking a blocked PIN, verifying the
// PIN a command needs, and changing, enabling or disabling a PIN. A flow that
// ends in failure leaves the calling command stopped.

#include "CardDocument.h"
#include "PinPrompter.h"
#include "PluginCalls.h"

namespace pelmora::model {

class PinFlows {
public:
    PinFlows(const PluginCalls& calls, PinPrompter& prompter) : m_calls(calls), m_ask(prompter) {}

    // True when the PIN may be used: not blocked, or unblocked now.
    bool unblockStep(CardDocument& card, int type, bool forced) const;
    // True when the PIN is available: held already, not needed, or verified now.
    // forced asks for PIN1 even when PIN1 is disabled.
    bool verifyChooser(CardDocument& card, int type, bool forced) const;
    // Change, enable or disable; true when the card took it.
    bool changeFlow(CardDocument& card, int type) const;

private:
    bool verifyDialog(CardDocument& card, int type) const;
    bool changeDialog(CardDocument& card, int type) const;
    bool unblockDialog(CardDocument& card, int type) const;
    // Reads the card information; tells the user when the card does not answer.
    bool readInfo(CardDocument& card, int type) const;
    // Reads the attempts left for the PIN; tells the user when it is blocked.
    bool attemptsLeft(CardDocument& card, int type, int& attempts) const;

    const PluginCalls& m_calls;
    PinPrompter& m_ask;
};

} // namespace pelmora::model
