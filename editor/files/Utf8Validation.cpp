#include "Utf8Validation.h"

namespace pelmora::model {

bool isWellFormedUtf8(std::span<const uint8_t> bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const uint8_t b = bytes[i];
        size_t length = 0;
        uint32_t minimum = 0;
        if (b < 0x80) {
            ++i;
            continue;
        }
        if ((b & 0xE0) == 0xC0) {
            length = 2;
            minimum = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            length = 3;
            minimum = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            length = 4;
            minimum = 0x10000;
        } else {
            return false;
        }
        if (bytes.size() - i < length) {
            return false;
        }
        uint32_t code = b & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) {
                return false;
            }
            code = code << 6 | (bytes[i + k] & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

} // namespace pelmora::model
