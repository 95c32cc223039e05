#pragma once
// What a card's answer to reset says (ISO/IEC 7816-3 section 8): the
// transmission protocols it offers and whether T=0, the only protocol the
// plug-in speaks, is among them. The bytes come from the card: nothing in
// them is trusted.

#include "Brontel.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

struct AtrMeaning {
    bool inverseConvention = false; // TS 3F
    // Bit t set: the card offers protocol T=t (0 to 14).
    uint16_t protocols = 0;
    bool specificMode = false; // TA2 present: the card works in one protocol only
    size_t historicalBytes = 0;
    bool checksumPresent = false;
    bool checksumGood = false;

    [[nodiscard]] bool offers(unsigned t) const { return t < 15 && (protocols >> t & 1u) != 0; }
};

// Nothing when the bytes are no complete ATR (cut short, too long, an
// unknown TS).
[[nodiscard]] std::optional<AtrMeaning> decodeAtr(std::span<const uint8_t> atr);

// The ATR as the plug-in shows it ("3B1A11..."; blanks allowed); nothing for
// an odd count of digits or any other character.
[[nodiscard]] std::optional<std::vector<uint8_t>> atrBytes(std::u16string_view hex);

// The ATR text of a card-information record, never read past its field.
[[nodiscard]] std::u16string atrText(const SimInfo& info);

// The meaning in words, from the language file: the protocols offered and
// whether the editor can talk to the card; empty for an empty ATR.
[[nodiscard]] std::u16string atrMeaningText(std::u16string_view atrHex);

} // namespace pelmora::model
