#pragma once

#include <cstdint>
#include <vector>

namespace brontel::codec {

// Bytes produced by an encoder, and whether the value had to be cut or lost
// characters on the way. The card code reports the latter as
// kBrontelErrorValueDidNotFit but still writes the bytes.
struct [[nodiscard]] EncodedBytes {
    std::vector<uint8_t> bytes;
    bool didNotFit = false;
};

} // namespace brontel::codec
