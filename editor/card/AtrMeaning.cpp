#include "AtrMeaning.h"

#include "HexDigits.h"
#include "LangText.h"

#include <algorithm>
#include <iterator>

namespace pelmora::model {

namespace {

constexpr size_t kLongestAtr = 33;
constexpr unsigned kGlobalBytes = 15; // TDi naming T=15 carries global bytes, no protocol

constexpr int kNotAnAtrText = 1224;
constexpr int kOffersT0Text = 1225;
constexpr int kLacksT0Text = 1226;

std::u16string protocolList(uint16_t protocols) {
    std::u16string list;
    for (unsigned t = 0; t < kGlobalBytes; ++t) {
        if ((protocols >> t & 1u) != 0) {
            if (!list.empty()) {
                list += u", ";
            }
            list += u"T=";
            if (t >= 10) {
                list += u'1';
            }
            list += static_cast<char16_t>(u'0' + t % 10);
        }
    }
    return list;
}

} // namespace

std::u16string atrText(const SimInfo& info) {
    const auto* end = std::find(std::begin(info.atrText), std::end(info.atrText), u'\0');
    return {std::begin(info.atrText), end};
}

std::optional<AtrMeaning> decodeAtr(std::span<const uint8_t> atr) {
    if (atr.size() < 2 || atr.size() > kLongestAtr || (atr[0] != 0x3B && atr[0] != 0x3F)) {
        return std::nullopt;
    }
    AtrMeaning meaning;
    meaning.inverseConvention = atr[0] == 0x3F;
    meaning.historicalBytes = atr[1] & 0x0Fu;
    bool anyTd = false;
    size_t next = 2; // the byte after T0
    uint8_t indicator = atr[1];
    for (unsigned i = 1;; ++i) {
        const bool ta = (indicator & 0x10u) != 0;
        meaning.specificMode = meaning.specificMode || (ta && i == 2);
        next +=
            (ta ? 1 : 0) + ((indicator & 0x20u) != 0 ? 1 : 0) + ((indicator & 0x40u) != 0 ? 1 : 0);
        if ((indicator & 0x80u) == 0) {
            break;
        }
        if (next >= atr.size()) {
            return std::nullopt;
        }
        indicator = atr[next++];
        const unsigned t = indicator & 0x0Fu;
        if (t != kGlobalBytes) {
            meaning.protocols |= static_cast<uint16_t>(1u << t);
        }
        anyTd = true;
    }
    if (!anyTd) {
        meaning.protocols = 1; // without TD1 the card speaks T=0 only
    }
    // ISO/IEC 7816-3 8.2.5: a check byte follows unless T=0 is all there is.
    meaning.checksumPresent = (meaning.protocols & ~1u) != 0;
    const size_t expected = next + meaning.historicalBytes + (meaning.checksumPresent ? 1 : 0);
    if (atr.size() != expected) {
        return std::nullopt;
    }
    if (meaning.checksumPresent) {
        uint8_t sum = 0;
        for (size_t i = 1; i < atr.size(); ++i) {
            sum ^= atr[i];
        }
        meaning.checksumGood = sum == 0;
    }
    return meaning;
}

std::optional<std::vector<uint8_t>> atrBytes(std::u16string_view hex) {
    std::vector<uint8_t> bytes;
    int high = -1;
    for (const char16_t c : hex) {
        if (c == u' ') {
            continue;
        }
        const int digit = platform::hexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<uint8_t>(high << 4 | digit));
            high = -1;
        }
    }
    if (high >= 0) {
        return std::nullopt;
    }
    return bytes;
}

std::u16string atrMeaningText(std::u16string_view atrHex) {
    const auto bytes = atrBytes(atrHex);
    if (bytes && bytes->empty()) {
        return {};
    }
    const auto meaning = bytes ? decodeAtr(*bytes) : std::nullopt;
    if (!meaning) {
        return velmet::langText(kNotAnAtrText);
    }
    return velmet::langText(meaning->offers(0) ? kOffersT0Text : kLacksT0Text,
                            protocolList(meaning->protocols));
}

} // namespace pelmora::model
