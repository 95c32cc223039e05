#pragma once
// The FCP template a UICC answers SELECT and STATUS with (TS 102 221 11.1.1.3):
// file descriptor, identifier, application name, proprietary data, life
// cycle status, security attributes in expanded format, file size, short
// file identifier and, for directories, the PIN status template.

#include "CardFile.h"
#include "CardSecurity.h"

#include <cstdint>
#include <vector>

namespace virtualsim {

namespace keyref {
inline constexpr uint8_t kPin1 = 0x01; // the application PIN
inline constexpr uint8_t kPin2 = 0x81; // the second (local) PIN
inline constexpr uint8_t kAdm1 = 0x0A;
} // namespace keyref

class FileControlParameters {
public:
    [[nodiscard]] static std::vector<uint8_t> of(const CardFile& file,
                                                 const CardSecurity& security);
    // The DF name data object (tag 84) of an application, for STATUS.
    [[nodiscard]] static std::vector<uint8_t> applicationName(const CardFile& directory);
};

} // namespace virtualsim
