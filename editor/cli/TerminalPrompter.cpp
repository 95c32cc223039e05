#include "TerminalPrompter.h"

#include "PinNoticeText.h"
#include "PinRules.h"
#include "Terminal.h"

namespace pelmora::cli {

namespace {

// The longest codes the PIN dialogs take.
constexpr size_t kPinLength = model::kPinMaxDigits;
constexpr size_t kPukLength = model::kPukFieldDigits;

std::string pinName(int type) {
    return "PIN" + std::to_string(type == 2 ? 2 : 1);
}

std::string pukName(int type) {
    return "PUK" + std::to_string(type == 2 ? 2 : 1);
}

std::string attemptsText(int attempts) {
    return std::to_string(attempts) + (attempts == 1 ? " attempt left" : " attempts left");
}

// Removes blanks around a line in place, wiping the bytes it lets go.
void trimBlanks(std::string& line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    size_t end = line.size();
    while (end > 0 && blank(line[end - 1])) {
        --end;
    }
    size_t begin = 0;
    while (begin < end && blank(line[begin])) {
        ++begin;
    }
    std::string kept = line.substr(begin, end - begin);
    wipe(line);
    line.swap(kept);
}

} // namespace

bool TerminalPrompter::mayAskAgain(bool failed, const std::string& refused) {
    if (failed) {
        m_problem = refused;
        if (m_source == PinSource::Terminal) {
            printError(refused);
        } else {
            m_stopped = true;
        }
    }
    return !m_stopped;
}

bool TerminalPrompter::readSecret(const std::string& prompt, size_t maxLength,
                                  model::SecretText& secret) {
    if (m_stopped) {
        return false;
    }
    if (m_source == PinSource::None) {
        m_problem = prompt + " is needed: type it on a terminal, or give it on standard input "
                             "with --pin-stdin";
        m_stopped = true;
        return false;
    }
    std::optional<std::string> line = readInputLine(true, prompt + ": ");
    if (line && m_source == PinSource::Stdin) {
        trimBlanks(*line); // a script's "1234 " means 1234
    }
    if (!line || line->empty()) {
        m_problem = "no " + prompt + " given";
        m_stopped = true;
        return false;
    }
    if (line->size() > maxLength) {
        wipe(*line);
        m_problem = prompt + " is longer than " + std::to_string(maxLength) + " characters";
        m_stopped = true;
        return false;
    }
    secret.assign(utf16(*line));
    wipe(*line);
    return true;
}

bool TerminalPrompter::askPin(int type, int attempts, bool failed, model::SecretText& pin) {
    if (type == m_unblockType) {
        m_notBlocked = true;
        m_problem = pinName(type) + " is not blocked";
        return false;
    }
    if (!mayAskAgain(failed,
                     "The card refused " + pinName(type) + " (" + attemptsText(attempts) + ").")) {
        return false;
    }
    m_problem.clear();
    return readSecret(pinName(type) + " (" + attemptsText(attempts) + ")", kPinLength, pin);
}

bool TerminalPrompter::askChange(int type, int attempts, bool, bool failed,
                                 model::PinChange& answer) {
    if (!mayAskAgain(failed,
                     "The card refused " + pinName(type) + " (" + attemptsText(attempts) + ").")) {
        return false;
    }
    m_problem.clear();
    if (m_change == ChangeAnswer::DisablePin1) {
        answer.disablePin1 = true;
        return true;
    }
    return readSecret("New " + pinName(type), kPinLength, answer.newPin) &&
           readSecret("New " + pinName(type) + " again", kPinLength, answer.confirmation);
}

bool TerminalPrompter::askUnblock(int type, int pukAttempts, bool failed,
                                  model::PinUnblock& answer) {
    if (type != m_unblockType) {
        m_problem = pinName(type) + " is blocked: unblock it with its " + pukName(type) +
                    " (velmet-cli pin unblock " + std::to_string(type) + ")";
        return false;
    }
    if (!mayAskAgain(failed, "The card refused " + pukName(type) + " (" +
                                 attemptsText(pukAttempts) + ").")) {
        return false;
    }
    m_problem.clear();
    m_askedForPuk = true;
    return readSecret(pukName(type) + " (" + attemptsText(pukAttempts) + ")", kPukLength,
                      answer.puk) &&
           readSecret("New " + pinName(type), kPinLength, answer.newPin) &&
           readSecret("New " + pinName(type) + " again", kPinLength, answer.confirmation);
}

void TerminalPrompter::notice(int type, model::PinNotice notice) {
    switch (notice) {
    case model::PinNotice::PinBlocked:
        m_problem = utf8(model::pinNoticeText(notice, type)) + " (velmet-cli pin unblock " +
                    std::to_string(type) + ").";
        break;
    case model::PinNotice::CardNotAnswering:
    case model::PinNotice::PukBlocked:
    case model::PinNotice::CardRefused:
        m_problem = utf8(model::pinNoticeText(notice, type));
        break;
    case model::PinNotice::PinsDiffer:
    case model::PinNotice::NotAPin:
    case model::PinNotice::NotAPuk:
        m_problem = utf8(model::pinNoticeText(notice, type));
        if (m_source == PinSource::Terminal) {
            printError(m_problem);
        } else {
            m_stopped = true;
        }
        break;
    }
}

void TerminalPrompter::cardError(int, const std::u16string& text) {
    m_problem = utf8(text);
}

} // namespace pelmora::cli
