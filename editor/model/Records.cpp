#include "Records.h"

#include <algorithm>
#include <cstring>

namespace pelmora::model {

std::u16string_view entryValue(const PhoneBookEntry& entry, int k) {
    PhoneBookValueField field = phoneBookValue(const_cast<PhoneBookEntry&>(entry), k);
    return fieldText(field.text, field.capacity);
}

void setEntryValue(PhoneBookEntry& entry, int k, std::u16string_view text) {
    PhoneBookValueField field = phoneBookValue(entry, k);
    setFieldText(field.text, field.capacity, text);
}

size_t entryValueWidth(int k) {
    static PhoneBookEntry probe{};
    PhoneBookValueField field = phoneBookValue(probe, k);
    return field.capacity == 0 ? 0 : field.capacity - 1;
}

bool isEmptyRecord(const PhoneBookEntry& entry) {
    static const PhoneBookEntry kZero{};
    return std::memcmp(&entry, &kZero, sizeof entry) == 0;
}

bool isEmptyRecord(const SmsEntry& message) {
    static const SmsEntry kZero{};
    return std::memcmp(&message, &kZero, sizeof message) == 0;
}

bool recordsDiffer(const PhoneBookEntry& a, const PhoneBookEntry& b) {
    return std::memcmp(&a, &b, sizeof a) != 0;
}

bool recordsDiffer(const SmsEntry& a, const SmsEntry& b) {
    constexpr size_t first = offsetof(SmsEntry, text);
    constexpr size_t end = offsetof(SmsEntry, timestamp);
    return std::memcmp(reinterpret_cast<const char*>(&a) + first,
                       reinterpret_cast<const char*>(&b) + first, end - first) != 0;
}

} // namespace pelmora::model
