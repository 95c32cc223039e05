#pragma once
// Keys of a backup section: the record number in decimal, from 1.

#include <string>

namespace brontel {

[[nodiscard]] inline std::u16string recordKey(int record) {
    const std::string digits = std::to_string(record);
    return {digits.begin(), digits.end()};
}

} // namespace brontel
