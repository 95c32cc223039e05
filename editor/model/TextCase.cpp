#include "TextCase.h"

namespace pelmora::model {

namespace {

// Ranges where capital and small letters alternate, capital first when
// evenCapital is set.
struct PairRange {
    char16_t first;
    char16_t last;
    bool evenCapital;
};

constexpr PairRange kPairRanges[] = {
    {0x0100, 0x012F, true}, {0x0132, 0x0137, true},  {0x0139, 0x0148, false},
    {0x014A, 0x0177, true}, {0x0179, 0x017E, false}, {0x0460, 0x0481, true},
    {0x048A, 0x04BF, true}, {0x04C1, 0x04CE, false}, {0x04D0, 0x052F, true},
};

} // namespace

char16_t toUpper(char16_t c) {
    if (c >= u'a' && c <= u'z') {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c < 0x00E0) {
        return c;
    }
    if (c <= 0x00FE) {
        return c == 0x00F7 ? c : static_cast<char16_t>(c - 0x20);
    }
    if (c == 0x00FF) {
        return 0x0178;
    }
    for (const PairRange& range : kPairRanges) {
        if (c >= range.first && c <= range.last) {
            const bool even = (c % 2) == 0;
            return even == range.evenCapital ? c : static_cast<char16_t>(c - 1);
        }
    }
    if (c >= 0x03B1 && c <= 0x03CB) {
        return c == 0x03C2 ? char16_t{0x03A3} : static_cast<char16_t>(c - 0x20);
    }
    switch (c) {
    case 0x03AC:
        return 0x0386;
    case 0x03AD:
        return 0x0388;
    case 0x03AE:
        return 0x0389;
    case 0x03AF:
        return 0x038A;
    case 0x03CC:
        return 0x038C;
    case 0x03CD:
        return 0x038E;
    case 0x03CE:
        return 0x038F;
    default:
        break;
    }
    if (c >= 0x0430 && c <= 0x044F) {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c >= 0x0450 && c <= 0x045F) {
        return static_cast<char16_t>(c - 0x50);
    }
    return c;
}

std::u16string toUpper(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) {
        c = toUpper(c);
    }
    return upper;
}

} // namespace pelmora::model
