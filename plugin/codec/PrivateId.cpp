#include "codec/PrivateId.h"

#include "codec/DecimalText.h"

namespace brontel::codec {

namespace {

// Field widths by class: the urban number's for classes 0..3, the fleet
// number's for classes 0..5.
constexpr unsigned kUrbanBits[] = {10, 14, 17, 20};
constexpr unsigned kFleetBits[] = {4, 7, 10, 14, 17, 20};
constexpr unsigned kTopBit = 35; // bits 39..35 hold the two classes
constexpr unsigned kMinMemberBits = 5;

template <size_t N>
std::optional<unsigned> widthClass(uint32_t value, const unsigned (&widths)[N]) {
    for (unsigned c = 0; c < N; ++c) {
        if (value >> widths[c] == 0) {
            return c;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<PrivateId> parsePrivateId(std::u16string_view text) {
    const size_t first = text.find(u'*');
    const size_t second = first == std::u16string_view::npos ? first : text.find(u'*', first + 1);
    if (second == std::u16string_view::npos) {
        return std::nullopt;
    }
    auto urban = parseDecimal(text.substr(0, first), UINT32_MAX);
    auto fleet = parseDecimal(text.substr(first + 1, second - first - 1), UINT32_MAX);
    auto member = parseDecimal(text.substr(second + 1), UINT32_MAX);
    if (!urban || !fleet || !member) {
        return std::nullopt;
    }
    return PrivateId{*urban, *fleet, *member};
}

std::u16string privateIdText(const PrivateId& id) {
    return decimalText(id.urban) + u'*' + decimalText(id.fleet) + u'*' + decimalText(id.member);
}

std::optional<PackedPrivateId> packPrivateId(const PrivateId& id) {
    const std::optional<unsigned> urbanClass = widthClass(id.urban, kUrbanBits);
    const std::optional<unsigned> fleetClass = widthClass(id.fleet, kFleetBits);
    if (!urbanClass || !fleetClass) {
        return std::nullopt;
    }
    const unsigned urbanShift = kTopBit - kUrbanBits[*urbanClass];
    if (urbanShift < kFleetBits[*fleetClass] + kMinMemberBits) {
        return std::nullopt;
    }
    const unsigned memberBits = urbanShift - kFleetBits[*fleetClass];
    if (memberBits < 32 && id.member >> memberBits != 0) {
        return std::nullopt;
    }
    const uint64_t value = uint64_t{*urbanClass} << 38 | uint64_t{*fleetClass} << 35 |
                           uint64_t{id.urban} << urbanShift | uint64_t{id.fleet} << memberBits |
                           id.member;
    PackedPrivateId bytes{};
    for (size_t i = 0; i < kPrivateIdLength; ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * (kPrivateIdLength - 1 - i)));
    }
    return bytes;
}

std::optional<PrivateId> unpackPrivateId(std::span<const uint8_t, kPrivateIdLength> bytes) {
    uint64_t value = 0;
    for (uint8_t b : bytes) {
        value = value << 8 | b;
    }
    const auto urbanClass = static_cast<unsigned>(value >> 38 & 0x3);
    const auto fleetClass = static_cast<unsigned>(value >> 35 & 0x7);
    if (fleetClass >= std::size(kFleetBits)) {
        return std::nullopt;
    }
    const unsigned urbanShift = kTopBit - kUrbanBits[urbanClass];
    if (urbanShift < kFleetBits[fleetClass] + kMinMemberBits) {
        return std::nullopt;
    }
    const unsigned memberBits = urbanShift - kFleetBits[fleetClass];
    const auto field = [value](unsigned shift, unsigned bits) {
        return static_cast<uint32_t>(value >> shift & ((uint64_t{1} << bits) - 1));
    };
    return PrivateId{field(urbanShift, kUrbanBits[urbanClass]),
                     field(memberBits, kFleetBits[fleetClass]), field(0, memberBits)};
}

} // namespace brontel::codec
