#pragma once
// The values the card-properties and book-properties dialogs show, as texts.

#include "Brontel.h"

#include <filesystem>
#include <string>

namespace pelmora::model {

struct CardPropertyTexts {
    std::u16string pin1State; // enabled or disabled
    std::u16string pin1Attempts, puk1Attempts, pin2Attempts, puk2Attempts;
    std::u16string atr, iccid, imsi, serviceProvider;
    std::u16string phase;   // "Phase 2+"
    std::u16string network; // operator, country and network type
};

struct BookPropertyTexts {
    std::u16string kind; // lower-case hexadecimal: "6f3a", "0"
    std::u16string records, recordLength, readCondition, updateCondition;
};

[[nodiscard]] CardPropertyTexts cardPropertyTexts(const SimInfo& info,
                                                  const std::filesystem::path& operatorList);
// info read with read_details 1 and book_file = kind.
[[nodiscard]] BookPropertyTexts bookPropertyTexts(const SimInfo& info, int kind);
// Always, PIN, administrator, never; "n/a" for reserved values.
[[nodiscard]] std::u16string accessConditionText(int condition);

} // namespace pelmora::model
