#pragma once
// The card's secret codes and the security state of the current session:
// which CHVs were verified, whether CHV1 is enabled, and the CHV functions of
// TS 51.011 8.9 to 8.13 with their status words.

#include "SecretCode.h"
#include "StatusWord.h"

#include <cstdint>
#include <span>

namespace virtualsim {

enum class Chv { One = 1, Two = 2 };

class CardSecurity {
public:
    SecretCode& chv(Chv which) { return which == Chv::One ? m_chv1 : m_chv2; }
    [[nodiscard]] const SecretCode& chv(Chv which) const {
        return which == Chv::One ? m_chv1 : m_chv2;
    }
    SecretCode& unblockKey(Chv which) { return which == Chv::One ? m_unblock1 : m_unblock2; }
    [[nodiscard]] const SecretCode& unblockKey(Chv which) const {
        return which == Chv::One ? m_unblock1 : m_unblock2;
    }
    [[nodiscard]] bool chv1Enabled() const { return m_chv1Enabled; }
    void setChv1Enabled(bool enabled) { m_chv1Enabled = enabled; }
    [[nodiscard]] bool verified(Chv which) const {
        return which == Chv::One ? m_chv1Verified : m_chv2Verified;
    }

    // Whether an access condition nibble is met now. CHV1 is met while CHV1
    // is disabled (and not blocked); administrative levels and NEV never are.
    [[nodiscard]] bool granted(uint8_t condition) const;

    // A new card session: no CHV verified.
    void resetSession();

    StatusWord verify(Chv which, std::span<const uint8_t> code);
    StatusWord change(Chv which, std::span<const uint8_t> oldCode,
                      std::span<const uint8_t> newCode);
    StatusWord disableChv1(std::span<const uint8_t> code);
    StatusWord enableChv1(std::span<const uint8_t> code);
    StatusWord unblock(Chv which, std::span<const uint8_t> unblockCode,
                       std::span<const uint8_t> newCode);

    // Byte 17 of a directory description: codes that are initialised.
    [[nodiscard]] uint8_t codeCount() const;

private:
    // Presents a code; on a miss that blocks the CHV its verification is lost.
    StatusWord presentChv(Chv which, std::span<const uint8_t> code);
    void setVerified(Chv which, bool verified);

    SecretCode m_chv1, m_unblock1, m_chv2, m_unblock2;
    bool m_chv1Enabled = true;
    bool m_chv1Verified = false;
    bool m_chv2Verified = false;
};

} // namespace virtualsim
