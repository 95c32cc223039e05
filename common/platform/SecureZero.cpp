#include "SecureZero.h"

#include <cstring>

namespace pelmora::platform {

void secureZero(void* data, size_t size) noexcept {
    if (data == nullptr || size == 0) {
        return;
    }
    std::memset(data, 0, size);
    // The barrier tells the compiler the zeroed bytes are still read, so the
    // memset is not dropped as a dead store before the memory is freed.
    asm volatile("" : : "r"(data) : "memory");
}

} // namespace pelmora::platform
