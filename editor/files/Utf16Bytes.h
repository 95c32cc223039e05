#pragma once
// UTF-16 text as bytes in a file, unit by unit.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

// A trailing odd byte is ignored.
[[nodiscard]] std::u16string utf16FromBytes(std::span<const uint8_t> bytes, bool littleEndian);
[[nodiscard]] std::vector<uint8_t> utf16LittleEndianBytes(std::u16string_view text);

} // namespace pelmora::model
