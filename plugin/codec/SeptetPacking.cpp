#include "codec/SeptetPacking.h"

namespace brontel::codec {

std::vector<uint8_t> packSeptets(std::span<const uint8_t> septets, unsigned fillBits) {
    std::vector<uint8_t> octets(packedLength(septets.size(), fillBits), 0);
    for (size_t k = 0; k < septets.size(); ++k) {
        const size_t bit = fillBits + 7 * k;
        const unsigned value = (septets[k] & 0x7Fu) << (bit % 8);
        octets[bit / 8] |= static_cast<uint8_t>(value);
        if (value > 0xFF) {
            octets[bit / 8 + 1] |= static_cast<uint8_t>(value >> 8);
        }
    }
    return octets;
}

std::vector<uint8_t> unpackSeptets(std::span<const uint8_t> octets, size_t count,
                                   unsigned fillBits) {
    std::vector<uint8_t> septets;
    for (size_t k = 0; k < count; ++k) {
        const size_t bit = fillBits + 7 * k;
        const size_t lastOctet = (bit + 6) / 8;
        if (lastOctet >= octets.size()) {
            break;
        }
        unsigned value = octets[bit / 8];
        if (lastOctet != bit / 8) {
            value |= unsigned{octets[lastOctet]} << 8;
        }
        septets.push_back(static_cast<uint8_t>(value >> (bit % 8) & 0x7F));
    }
    return septets;
}

} // namespace brontel::codec
