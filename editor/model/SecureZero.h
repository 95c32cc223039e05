#pragma once

#include <cstddef>

namespace pelmora::model {

// Zeroes memory in a way the compiler may not drop, for buffers that held
// personal data (contacts, messages, PINs) and are about to be freed.
void secureZero(void* data, size_t size) noexcept;

} // namespace pelmora::model
