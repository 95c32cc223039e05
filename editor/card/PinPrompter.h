#pragma once
// What the PIN flows ask of the user. The window shows its PIN dialogs, the
// command-line editor reads from the terminal; neither decides anything.

#include "SecretText.h"

#include <string>

namespace pelmora::model {

enum class PinNotice {
    CardNotAnswering, // the card could not be read
    PinBlocked,       // no attempts left for the PIN
    PukBlocked,       // no attempts left for the unblocking key
    PinsDiffer,       // the new PIN and its confirmation differ
    CardRefused,      // the card refused enabling or disabling PIN1
    NotAPin,          // a PIN that is not 4 to 8 digits: not sent to the card
    NotAPuk,          // an unblocking key that is not 8 digits: not sent to the card
};

struct PinChange {
    bool disablePin1 = false; // PIN1 only: switch the PIN check off instead
    SecretText newPin;
    SecretText confirmation;
};

struct PinUnblock {
    SecretText puk;
    SecretText newPin;
    SecretText confirmation;
};

class PinPrompter {
public:
    virtual ~PinPrompter() = default;
    // type 1 or 2. failed: the previous attempt was refused and attempts is
    // the new count (shown in red). false: cancelled.
    virtual bool askPin(int type, int attempts, bool failed, SecretText& pin) = 0;
    virtual bool askChange(int type, int attempts, bool pin1Disabled, bool failed,
                           PinChange& answer) = 0;
    virtual bool askUnblock(int type, int pukAttempts, bool failed, PinUnblock& answer) = 0;
    virtual void notice(int type, PinNotice notice) = 0;
    // The card answered a PIN with an error that is no verdict on the PIN;
    // text says what the card answered and what became of the attempts.
    virtual void cardError(int type, const std::u16string& text) = 0;
};

} // namespace pelmora::model
