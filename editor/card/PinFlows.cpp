#include "PinFlows.h"

#include "PinNoticeText.h"
#include "PinRules.h"

namespace pelmora::model {

namespace {

int normalType(int type) {
    return type == 2 ? 2 : 1;
}

int pinAttempts(const SimInfo& info, int type) {
    return type == 2 ? info.pin2Attempts : info.pin1Attempts;
}

int pukAttempts(const SimInfo& info, int type) {
    return type == 2 ? info.puk2Attempts : info.puk1Attempts;
}

const SecretText& heldPin(const CardDocument& card, int type) {
    return type == 2 ? card.pin2() : card.pin1();
}

void holdPin(CardDocument& card, int type, std::u16string_view pin) {
    type == 2 ? card.setPin2(pin) : card.setPin1(pin);
}

} // namespace

bool PinFlows::readInfo(CardDocument& card, int type) const {
    card.info = SimInfo{};
    if (m_calls.cardInfo(card) == 0) {
        m_ask.notice(type, PinNotice::CardNotAnswering);
        return false;
    }
    return true;
}

bool PinFlows::attemptsLeft(CardDocument& card, int type, int& attempts) const {
    if (!readInfo(card, type)) {
        return false;
    }
    attempts = pinAttempts(card.info, type);
    if (attempts <= 0) {
        // A PIN that is (or just became) blocked was not given.
        m_ask.notice(type, PinNotice::PinBlocked);
        return false;
    }
    return true;
}

bool PinFlows::unblockStep(CardDocument& card, int type, bool forced) const {
    type = normalType(type);
    card.lastResult = 0;
    card.pinType = type;
    card.info = SimInfo{};
    if (m_calls.cardInfo(card) == 0) {
        return false;
    }
    const bool usable = type == 1
                            ? card.info.pin1Attempts > 0 || (card.info.pin1Enabled == 0 && !forced)
                            : card.info.pin2Attempts > 0;
    if (usable) {
        return true;
    }
    if (unblockDialog(card, type)) {
        return true;
    }
    card.forgetPins();
    return false;
}

bool PinFlows::verifyChooser(CardDocument& card, int type, bool forced) const {
    type = normalType(type);
    card.lastResult = 0;
    card.pinType = type;
    card.info = SimInfo{};
    if (!unblockStep(card, type, forced)) {
        return false;
    }
    card.info = SimInfo{};
    if (m_calls.cardInfo(card) == 0) {
        return false;
    }
    if (heldPin(card, type).present()) {
        return true;
    }
    if (type == 1 && !forced && card.info.pin1Enabled == 0) {
        return true;
    }
    if (verifyDialog(card, type)) {
        return true;
    }
    card.forgetPin(type);
    return false;
}

bool PinFlows::verifyDialog(CardDocument& card, int type) const {
    int attempts = 0;
    if (!attemptsLeft(card, type, attempts)) {
        return false;
    }
    bool failed = false;
    for (;;) {
        SecretText entered;
        if (!m_ask.askPin(type, attempts, failed, entered)) {
            return false;
        }
        if (!isPinText(entered.view())) {
            m_ask.notice(type, PinNotice::NotAPin);
            failed = false;
            continue;
        }
        holdPin(card, type, entered.view());
        if (!readInfo(card, type)) {
            return false;
        }
        const char16_t* pin = heldPin(card, type).c_str();
        const int result = type == 1 && card.info.pin1Enabled == 0
                               ? m_calls.enablePin1(card, pin)
                               : m_calls.verifyPin(card, type, pin);
        if (result != 0) {
            return true;
        }
        const int32_t answer = card.lastError;
        const int before = attempts;
        if (!attemptsLeft(card, type, attempts)) {
            return false;
        }
        // An error that is no verdict on the PIN ends the flow: asking again
        // would spend attempts on a card that does not work.
        if (isNoPinVerdict(answer)) {
            m_ask.cardError(type, pinCardErrorText(type, answer, before, attempts));
            return false;
        }
        failed = true;
    }
}

bool PinFlows::changeFlow(CardDocument& card, int type) const {
    type = normalType(type);
    card.pinType = type;
    if (!verifyChooser(card, type, true)) {
        return false;
    }
    return changeDialog(card, type);
}

bool PinFlows::changeDialog(CardDocument& card, int type) const {
    int attempts = 0;
    if (!attemptsLeft(card, type, attempts)) {
        return false;
    }
    bool failed = false;
    for (;;) {
        PinChange answer;
        const bool pin1Disabled = type == 1 && card.info.pin1Enabled == 0;
        if (!m_ask.askChange(type, attempts, pin1Disabled, failed, answer)) {
            return false;
        }
        // Whatever happens next, the card must be answering first.
        if (!readInfo(card, type)) {
            return false;
        }
        const char16_t* held = heldPin(card, type).c_str();
        if (type == 1 && answer.disablePin1) {
            if (card.info.pin1Enabled == 0) {
                return true;
            }
            if (m_calls.disablePin1(card, held) != 0) {
                return true;
            }
            m_ask.notice(type, PinNotice::CardRefused);
            return false;
        }
        if (type == 1 && card.info.pin1Enabled == 0) {
            if (m_calls.enablePin1(card, held) != 0) {
                return true;
            }
            m_ask.notice(type, PinNotice::CardRefused);
            return false;
        }
        if (answer.newPin.view() != answer.confirmation.view()) {
            m_ask.notice(type, PinNotice::PinsDiffer);
            failed = false;
            continue;
        }
        if (!isPinText(answer.newPin.view())) {
            m_ask.notice(type, PinNotice::NotAPin);
            failed = false;
            continue;
        }
        if (m_calls.changePin(card, type, held, answer.newPin.c_str()) != 0) {
            holdPin(card, type, answer.newPin.view());
            return true;
        }
        if (!attemptsLeft(card, type, attempts)) {
            return false;
        }
        failed = true;
    }
}

bool PinFlows::unblockDialog(CardDocument& card, int type) const {
    if (!readInfo(card, type)) {
        return false;
    }
    int attempts = pukAttempts(card.info, type);
    if (attempts <= 0) {
        m_ask.notice(type, PinNotice::PukBlocked);
        return false;
    }
    bool failed = false;
    for (;;) {
        PinUnblock answer;
        if (!m_ask.askUnblock(type, attempts, failed, answer)) {
            return false;
        }
        if (answer.newPin.view() != answer.confirmation.view()) {
            m_ask.notice(type, PinNotice::PinsDiffer);
            continue;
        }
        if (!isPukText(answer.puk.view()) || !isPinText(answer.newPin.view())) {
            m_ask.notice(type,
                         isPukText(answer.puk.view()) ? PinNotice::NotAPin : PinNotice::NotAPuk);
            failed = false;
            continue;
        }
        holdPin(card, type, answer.newPin.view());
        if (m_calls.cardInfo(card) == 0) {
            // The dialog stays open (Cancel is the way out), saying why.
            m_ask.notice(type, PinNotice::CardNotAnswering);
            continue;
        }
        if (m_calls.unblockPin(card, type, answer.puk.c_str(), heldPin(card, type).c_str()) != 0) {
            return true;
        }
        if (m_calls.cardInfo(card) != 0) {
            attempts = pukAttempts(card.info, type);
            if (attempts <= 0) {
                m_ask.notice(type, PinNotice::PukBlocked);
                return false;
            }
        }
        failed = true;
    }
}

} // namespace pelmora::model
