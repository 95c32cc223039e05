#include "Atr.h"

namespace virtualsim {

namespace {

constexpr size_t kMaxAtrLength = 33;

struct Parsed {
    std::vector<int> protocols;
    bool specificOtherProtocol = false; // TA2 fixes a protocol other than T=0
    size_t interfaceEnd = 0;            // index of the first historical byte
    size_t historicalCount = 0;
    std::optional<std::string> problem;
};

Parsed parse(std::span<const uint8_t> atr) {
    Parsed p;
    if (atr.size() < 2) {
        p.problem = "an ATR has at least TS and T0";
        return p;
    }
    if (atr[0] != 0x3B && atr[0] != 0x3F) {
        p.problem = "TS must be 3B (direct) or 3F (inverse convention)";
        return p;
    }
    p.historicalCount = atr[1] & 0x0F;
    uint8_t y = atr[1] >> 4;
    size_t pos = 2;
    for (int level = 1; y != 0; ++level) {
        const bool hasTa = y & 0x1;
        if (level == 2 && hasTa && pos < atr.size() && (atr[pos] & 0x0F) != 0) {
            p.specificOtherProtocol = true;
        }
        pos += hasTa + ((y >> 1) & 1) + ((y >> 2) & 1);
        if (!(y & 0x8)) {
            break;
        }
        if (pos >= atr.size()) {
            p.problem = "the interface bytes run past the end";
            return p;
        }
        const uint8_t td = atr[pos++];
        const int protocol = td & 0x0F;
        if (protocol != 15) {
            p.protocols.push_back(protocol);
        }
        y = td >> 4;
    }
    p.interfaceEnd = pos;
    if (p.protocols.empty()) {
        p.protocols.push_back(0);
    }
    return p;
}

bool needsTck(const std::vector<int>& protocols) {
    for (int t : protocols) {
        if (t != 0) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<std::string> Atr::problem(std::span<const uint8_t> atr) {
    const Parsed p = parse(atr);
    if (p.problem) {
        return p.problem;
    }
    if (atr.size() > kMaxAtrLength) {
        return "an ATR has at most 33 bytes";
    }
    const size_t expected = p.interfaceEnd + p.historicalCount + (needsTck(p.protocols) ? 1 : 0);
    if (atr.size() != expected) {
        return "T0 and the interface bytes announce " + std::to_string(expected) +
               " bytes, the ATR has " + std::to_string(atr.size());
    }
    if (needsTck(p.protocols)) {
        uint8_t check = 0;
        for (size_t i = 1; i < atr.size(); ++i) {
            check ^= atr[i];
        }
        if (check != 0) {
            return "the check byte TCK does not match";
        }
    }
    bool offersT0 = false;
    for (int t : p.protocols) {
        offersT0 = offersT0 || t == 0;
    }
    if (!offersT0 || p.specificOtherProtocol) {
        return "the ATR does not offer T=0";
    }
    return std::nullopt;
}

std::vector<int> Atr::protocols(std::span<const uint8_t> atr) {
    return parse(atr).protocols;
}

std::vector<uint8_t> Atr::standard() {
    return {0x3B, 0x1A, 0x11, 'V', 'I', 'R', 'T', 'U', 'A', 'L', 'S', 'I', 'M'};
}

} // namespace virtualsim
