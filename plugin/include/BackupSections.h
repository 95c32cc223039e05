#pragma once
// How a backup file names its sections: one per record file, "7F10 - 6F3A"
// for file 6F3A under directory 7F10. The plug-in writes these names; the
// editor asks here which books a backup holds instead of spelling them.

#include "HexDigits.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace brontel {

// The directory that holds the phone books.
inline constexpr uint16_t kBackupBookDirectory = 0x7F10;

[[nodiscard]] inline std::u16string backupSectionName(uint16_t directory, uint16_t file) {
    return pelmora::platform::hexNumber<char16_t>(directory, 4) + u" - " +
           pelmora::platform::hexNumber<char16_t>(file, 4);
}

// Whether name is one of a backup's section names (of either letter case).
[[nodiscard]] inline bool isBackupSectionName(std::u16string_view name) {
    const auto hex4 = [](std::u16string_view digits) {
        return std::all_of(digits.begin(), digits.end(), [](char16_t c) {
            return pelmora::platform::hexDigitValue(c) >= 0;
        });
    };
    return name.size() == 11 && name.substr(4, 3) == u" - " && hex4(name.substr(0, 4)) &&
           hex4(name.substr(7, 4));
}

// The section holding the records of a book, kind being its file id (6F3B).
[[nodiscard]] inline std::u16string backupBookSection(uint16_t kind) {
    return backupSectionName(kBackupBookDirectory, kind);
}

} // namespace brontel
