#pragma once
// The PIN questions of the card commands, answered on the terminal (typed
// without echo) or, with --pin-stdin, by one line of standard input each, in
// the order they are asked. A refused PIN read from standard input ends the
// command, so that a script never spends more than one attempt.

#include "PinPrompter.h"

#include <string>

namespace pelmora::cli {

enum class PinSource {
    Terminal, // standard input is a terminal: ask and read without echo
    Stdin,    // --pin-stdin: one line each
    None,     // neither: a needed PIN ends the command
};

// What the change question answers: new PINs, or switching the PIN1 check off.
enum class ChangeAnswer { NewPin, DisablePin1 };

class TerminalPrompter : public model::PinPrompter {
public:
    // unblockType: the PIN (1 or 2) whose unblocking the command is about,
    // 0 for none. Only that PIN is unblocked, and it is never asked for as a
    // PIN: a script's PUK must not be spent as a PIN.
    TerminalPrompter(PinSource source, int unblockType)
        : m_source(source), m_unblockType(unblockType) {}

    void answerChangeWith(ChangeAnswer answer) { m_change = answer; }

    bool askPin(int type, int attempts, bool failed, model::SecretText& pin) override;
    bool askChange(int type, int attempts, bool pin1Disabled, bool failed,
                   model::PinChange& answer) override;
    bool askUnblock(int type, int pukAttempts, bool failed, model::PinUnblock& answer) override;
    void notice(int type, model::PinNotice notice) override;
    void cardError(int type, const std::u16string& text) override;

    // Why the last PIN step did not succeed ("" when nothing went wrong).
    [[nodiscard]] const std::string& problem() const { return m_problem; }
    // The PIN to unblock was asked for as a PIN: it is not blocked.
    [[nodiscard]] bool foundNotBlocked() const { return m_notBlocked; }
    // The unblocking key was asked for.
    [[nodiscard]] bool askedForPuk() const { return m_askedForPuk; }

private:
    // False when no answer may be read (after a refusal from standard input).
    bool mayAskAgain(bool failed, const std::string& refused);
    bool readSecret(const std::string& prompt, size_t maxLength, model::SecretText& secret);

    PinSource m_source;
    int m_unblockType;
    ChangeAnswer m_change = ChangeAnswer::NewPin;
    bool m_stopped = false;
    bool m_notBlocked = false;
    bool m_askedForPuk = false;
    std::string m_problem;
};

} // namespace pelmora::cli
