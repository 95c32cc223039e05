#pragma once
// Clearing memory that held personal data or a secret code (contacts,
// messages, PINs) before it is freed, in a way the optimiser keeps.

#include <cstddef>

namespace pelmora::platform {

void secureZero(void* data, size_t size) noexcept;

} // namespace pelmora::platform
