#pragma once
// Which texts a field of a phone-book entry or a message may hold, so that
// values the card cannot store are refused where they enter the model.

#include <cstdint>
#include <string_view>

namespace pelmora::model {

inline constexpr std::u16string_view kNumberCharacters = u"*#0123456789+-()[]p ";
inline constexpr std::u16string_view kEmailCharacters =
    u".@0123456789AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz";
inline constexpr std::u16string_view kChatAddressCharacters = u".0123456789";
inline constexpr std::u16string_view kPrivateIdCharacters = u"*0123456789";
inline constexpr std::u16string_view kTalkgroupCharacters = u"0123456789";

// The characters value k of an entry of the book may hold; empty when any
// character is allowed.
[[nodiscard]] std::u16string_view allowedCharacters(uint16_t bookKind, int valueIndex);

[[nodiscard]] bool consistsOf(std::u16string_view text, std::u16string_view characters);

// Whether the value fits where the card stores it: a talkgroup is one byte,
// each part of a chat address is one byte, a private ID fits the 40 bits of
// its packed form. Characters are not checked.
[[nodiscard]] bool fitsCardLimits(uint16_t bookKind, int valueIndex, std::u16string_view text);

// Whether the card can store the text as value k of an entry of the book:
// only allowed characters, and within the limits above.
[[nodiscard]] bool cardCanHold(uint16_t bookKind, int valueIndex, std::u16string_view text);

} // namespace pelmora::model
