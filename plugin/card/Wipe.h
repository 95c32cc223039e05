#pragma once
// Clearing memory that held a secret code, in a way the optimiser keeps.

#include <cstddef>
#include <cstdint>

namespace brontel {

inline void wipe(void* bytes, size_t size) {
    auto* p = static_cast<volatile uint8_t*>(bytes);
    for (size_t i = 0; i < size; ++i) {
        p[i] = 0;
    }
}

} // namespace brontel
