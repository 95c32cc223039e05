#include "CardSecurity.h"

#include "CardFile.h"

#include <algorithm>

namespace virtualsim {

namespace {
CodeBlock blockOf(std::span<const uint8_t> code) {
    CodeBlock value;
    value.fill(0xFF);
    std::copy_n(code.begin(), std::min(code.size(), value.size()), value.begin());
    return value;
}
} // namespace

bool CardSecurity::granted(uint8_t condition) const {
    switch (condition) {
    case access::kAlways:
        return true;
    case access::kChv1:
        if (m_chv1.blocked()) {
            return false;
        }
        return m_chv1Verified || !m_chv1Enabled;
    case access::kChv2:
        return m_chv2Verified && !m_chv2.blocked();
    default:
        return false; // RFU, administrative levels, NEV
    }
}

void CardSecurity::resetSession() {
    m_chv1Verified = false;
    m_chv2Verified = false;
}

void CardSecurity::setVerified(Chv which, bool verified) {
    (which == Chv::One ? m_chv1Verified : m_chv2Verified) = verified;
}

StatusWord CardSecurity::presentChv(Chv which, std::span<const uint8_t> code) {
    switch (chv(which).present(code)) {
    case SecretCode::Outcome::Accepted:
        return sw::kOk;
    case SecretCode::Outcome::Rejected:
        return sw::kAccessNotFulfilled;
    case SecretCode::Outcome::Blocked:
        setVerified(which, false);
        return sw::kBlocked;
    }
    return sw::kTechnicalProblem;
}

// TS 51.011 8.9
StatusWord CardSecurity::verify(Chv which, std::span<const uint8_t> code) {
    if (!chv(which).initialised()) {
        return sw::kNoChvInitialised;
    }
    if (which == Chv::One && !m_chv1Enabled) {
        return sw::kContradictsChvStatus;
    }
    const StatusWord result = presentChv(which, code);
    if (result == sw::kOk) {
        setVerified(which, true);
    }
    return result;
}

// TS 51.011 8.10
StatusWord CardSecurity::change(Chv which, std::span<const uint8_t> oldCode,
                                std::span<const uint8_t> newCode) {
    if (!chv(which).initialised()) {
        return sw::kNoChvInitialised;
    }
    if (which == Chv::One && !m_chv1Enabled) {
        return sw::kContradictsChvStatus;
    }
    const StatusWord result = presentChv(which, oldCode);
    if (result == sw::kOk) {
        chv(which).setValue(blockOf(newCode));
        setVerified(which, true);
    }
    return result;
}

// TS 51.011 8.11
StatusWord CardSecurity::disableChv1(std::span<const uint8_t> code) {
    if (!m_chv1.initialised()) {
        return sw::kNoChvInitialised;
    }
    if (!m_chv1Enabled) {
        return sw::kContradictsChvStatus;
    }
    const StatusWord result = presentChv(Chv::One, code);
    if (result == sw::kOk) {
        m_chv1Enabled = false;
    }
    return result;
}

// TS 51.011 8.12
StatusWord CardSecurity::enableChv1(std::span<const uint8_t> code) {
    if (!m_chv1.initialised()) {
        return sw::kNoChvInitialised;
    }
    if (m_chv1Enabled) {
        return sw::kContradictsChvStatus;
    }
    const StatusWord result = presentChv(Chv::One, code);
    if (result == sw::kOk) {
        m_chv1Enabled = true;
        m_chv1Verified = true;
    }
    return result;
}

// TS 51.011 8.13: works whether or not the CHV is blocked; a false unblocking
// key leaves the CHV itself as it was.
StatusWord CardSecurity::unblock(Chv which, std::span<const uint8_t> unblockCode,
                                 std::span<const uint8_t> newCode) {
    SecretCode& key = unblockKey(which);
    if (!key.initialised() || !chv(which).initialised()) {
        return sw::kNoChvInitialised;
    }
    switch (key.present(unblockCode)) {
    case SecretCode::Outcome::Rejected:
        return sw::kAccessNotFulfilled;
    case SecretCode::Outcome::Blocked:
        return sw::kBlocked;
    case SecretCode::Outcome::Accepted:
        break;
    }
    chv(which).setValue(blockOf(newCode));
    chv(which).resetCounter();
    if (which == Chv::One) {
        m_chv1Enabled = true;
    }
    setVerified(which, true);
    return sw::kOk;
}

uint8_t CardSecurity::codeCount() const {
    return static_cast<uint8_t>(m_chv1.initialised() + m_unblock1.initialised() +
                                m_chv2.initialised() + m_unblock2.initialised());
}

} // namespace virtualsim
