#include "AnswerToReset.h"

namespace virtualsim {

namespace {

constexpr size_t kLongestAtr = 33;

uint32_t protocolBit(unsigned t) {
    switch (t) {
    case 0:
        return AnswerToReset::kT0;
    case 1:
        return AnswerToReset::kT1;
    default:
        return 0; // T=15 carries global bytes; other protocols are not served
    }
}

} // namespace

std::optional<AnswerToReset> AnswerToReset::parse(std::span<const uint8_t> atr) {
    if (atr.size() < 2 || atr.size() > kLongestAtr)
        return std::nullopt;
    if (atr[0] != 0x3B && atr[0] != 0x3F)
        return std::nullopt;

    AnswerToReset result;
    bool anyTd = false;
    bool nonT0 = false;
    size_t pos = 1;
    unsigned historical = atr[1] & 0x0F;
    uint8_t indicator = atr[1]; // Y(i) in the high nibble
    for (unsigned i = 1;; ++i) {
        ++pos; // past T0 or TD(i-1)
        bool ta = indicator & 0x10, tb = indicator & 0x20, tc = indicator & 0x40;
        bool td = indicator & 0x80;
        if (ta && i == 2) {
            if (pos >= atr.size())
                return std::nullopt;
            result.specificMode = true;
            unsigned t = atr[pos] & 0x0F;
            result.offeredProtocols = protocolBit(t);
            result.defaultProtocol = protocolBit(t);
        }
        pos += ta + tb + tc;
        if (!td)
            break;
        if (pos >= atr.size())
            return std::nullopt;
        indicator = atr[pos];
        unsigned t = indicator & 0x0F;
        if (t != 0)
            nonT0 = true;
        if (!result.specificMode) {
            result.offeredProtocols |= protocolBit(t);
            if (!anyTd)
                result.defaultProtocol = protocolBit(t);
        }
        anyTd = true;
    }
    // ISO/IEC 7816-3 8.2.5: TCK follows unless T=0 is the only protocol.
    size_t expected = pos + historical + (nonT0 ? 1 : 0);
    if (atr.size() < expected - (nonT0 ? 1 : 0) || atr.size() > expected)
        return std::nullopt;
    if (!anyTd && !result.specificMode) {
        result.offeredProtocols = kT0;
        result.defaultProtocol = kT0;
    }
    return result;
}

} // namespace virtualsim
