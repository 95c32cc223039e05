#include "ListRows.h"

#include "Category.h"
#include "ListColumns.h"
#include "LocaleFormats.h"
#include "Records.h"

#include <cstdio>

namespace pelmora::model {

std::vector<int> listRowSlots(const Category& category, bool showDeletedMessages) {
    const int count = static_cast<int>(category.slotCount());
    std::vector<int> slots;
    slots.reserve(static_cast<size_t>(count));
    if (!category.isMessages()) {
        for (int slot = 0; slot < count; ++slot) {
            slots.push_back(slot);
        }
        return slots;
    }
    for (int slot = 0; slot < count; ++slot) {
        if (!category.isEmpty(slot) && (showDeletedMessages || !category.isDeletedMessage(slot))) {
            slots.push_back(slot);
        }
    }
    for (int slot = 0; slot < count; ++slot) {
        if (category.isEmpty(slot)) {
            slots.push_back(slot);
        }
    }
    return slots;
}

std::u16string messageTimeText(const SystemTime& time, std::u16string_view datePicture) {
    if (time.year == 0 && time.month == 0 && time.day == 0) {
        return {};
    }
    char clock[32];
    std::snprintf(clock, sizeof clock, " %02u:%02u:%02u", unsigned{time.hour},
                  unsigned{time.minute}, unsigned{time.second});
    std::u16string text = platform::formatDate(time, datePicture);
    for (const char* c = clock; *c != '\0'; ++c) {
        text.push_back(static_cast<char16_t>(*c));
    }
    return text;
}

std::u16string cellText(const Category& category, int slot, int column,
                        std::u16string_view datePicture) {
    if (!category.hasSlot(slot)) {
        return {};
    }
    const ColumnRole role = columnRole(category.kind(), column);
    if (role == ColumnRole::Slot) {
        std::u16string number;
        for (char c : std::to_string(slot + 1)) {
            number.push_back(static_cast<char16_t>(c));
        }
        return number;
    }
    if (category.isPhoneBook()) {
        const PhoneBookEntry& entry = *category.entry(slot);
        return std::u16string(role == ColumnRole::Name ? fieldText(entry.name)
                                                       : fieldText(entry.value0));
    }
    const SmsEntry& message = *category.message(slot);
    if (category.isEmpty(slot)) {
        return {};
    }
    switch (role) {
    case ColumnRole::MessageNumber:
        return std::u16string(fieldText(message.address));
    case ColumnRole::ServiceCentre:
        return std::u16string(fieldText(message.smsc));
    case ColumnRole::Date:
        return messageTimeText(message.timestamp, datePicture);
    default:
        return std::u16string(fieldText(message.text));
    }
}

} // namespace pelmora::model
