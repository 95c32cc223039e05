#include "SecureZero.h"

namespace pelmora::platform {

void secureZero(void* data, size_t size) noexcept {
    auto* p = static_cast<volatile unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        p[i] = 0;
    }
}

} // namespace pelmora::platform
