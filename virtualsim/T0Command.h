#pragma once
// ISO/IEC 7816-3 12.2: over T=0 a command always carries five header bytes;
// a case 1 command (CLA INS P1 P2 alone) goes out with P3 = 00.

#include <cstdint>
#include <span>
#include <vector>

namespace virtualsim {

inline std::vector<uint8_t> toT0Command(std::span<const uint8_t> command) {
    std::vector<uint8_t> tpdu(command.begin(), command.end());
    if (tpdu.size() == 4)
        tpdu.push_back(0x00);
    return tpdu;
}

} // namespace virtualsim
