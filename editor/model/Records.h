#pragma once
// Text access and comparisons on the fixed-size records that the card plug-in
// fills: every read stops at the field's capacity even without a terminator.

#include "Brontel.h"

#include <cstddef>
#include <string_view>

namespace pelmora::model {

[[nodiscard]] std::u16string_view fieldText(const char16_t* field, size_t capacity);
template <size_t N> [[nodiscard]] std::u16string_view fieldText(const char16_t (&field)[N]) {
    return fieldText(field, N);
}

// Stores the text cut to capacity - 1 units (never splitting a surrogate pair)
// and zeroes the rest of the field, so equal texts give equal bytes.
void setFieldText(char16_t* field, size_t capacity, std::u16string_view text);
template <size_t N> void setFieldText(char16_t (&field)[N], std::u16string_view text) {
    setFieldText(field, N, text);
}

// The text the field would hold after setFieldText.
[[nodiscard]] std::u16string_view cutToWidth(std::u16string_view text, size_t capacity);

// Value k (0..10) of an entry; an empty view for any other k.
[[nodiscard]] std::u16string_view entryValue(const PhoneBookEntry& entry, int k);
void setEntryValue(PhoneBookEntry& entry, int k, std::u16string_view text);
// Characters value k holds at most.
[[nodiscard]] size_t entryValueWidth(int k);
inline constexpr size_t kNameWidth = 241;
inline constexpr size_t kNumberWidth = 60;

[[nodiscard]] bool isEmptyRecord(const PhoneBookEntry& entry);
[[nodiscard]] bool isEmptyRecord(const SmsEntry& message);

// Entries differ in any byte; messages only in their texts, so that neither the
// flags word nor the time stamp counts.
[[nodiscard]] bool recordsDiffer(const PhoneBookEntry& a, const PhoneBookEntry& b);
[[nodiscard]] bool recordsDiffer(const SmsEntry& a, const SmsEntry& b);

} // namespace pelmora::model
