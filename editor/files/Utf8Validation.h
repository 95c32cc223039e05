#pragma once
// Whether bytes are well-formed UTF-8: no overlong forms, surrogates, code
// points past U+10FFFF or cut sequences.

#include <cstdint>
#include <span>

namespace pelmora::model {

[[nodiscard]] bool isWellFormedUtf8(std::span<const uint8_t> bytes);

} // namespace pelmora::model
