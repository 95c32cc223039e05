#pragma once
// The response data of SELECT (fetched by GET RESPONSE) and STATUS, TS 51.011
// 9.2.1, byte for byte. Offsets below count from 0; the standard counts from 1.

#include "CardFile.h"
#include "CardSecurity.h"

#include <cstdint>
#include <vector>

namespace virtualsim {

class FileDescription {
public:
    // MF or DF: 22 bytes, the mandatory part up to the UNBLOCK CHV2 status.
    // Bit 8 of the file characteristics is set from the CHV1 state.
    static std::vector<uint8_t> directory(const CardFile& dir, const CardSecurity& security,
                                          uint8_t fileCharacteristics);
    // EF: 15 bytes.
    static std::vector<uint8_t> elementaryFile(const CardFile& ef);
    static std::vector<uint8_t> of(const CardFile& file, const CardSecurity& security,
                                   uint8_t fileCharacteristics);

    static constexpr size_t kDirectoryLength = 22;
    static constexpr size_t kElementaryFileLength = 15;
    static constexpr uint8_t kChv1DisabledBit = 0x80;
};

} // namespace virtualsim
