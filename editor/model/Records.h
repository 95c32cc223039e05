#pragma once
// Text access and comparisons on the fixed-size records that the card plug-in
// fills: every read stops at the field's capacity even without a terminator.

#include "Brontel.h"
#include "FieldText.h"

#include <cstddef>
#include <string_view>

namespace pelmora::model {

// Text fields are read and written as the plug-in does.
using brontel::codec::cutToWidth;
using brontel::codec::fieldText;
using brontel::codec::setFieldText;

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
