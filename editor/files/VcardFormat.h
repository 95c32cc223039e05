#pragma once
// What .vcf files and the phone books share: the kinds of numbers a TEL
// names, the properties that carry the iDEN values without a vCard
// counterpart, and the escapes of text values.

#include "Brontel.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

struct VcardTelKind {
    int value;             // the iDEN value that holds such a number
    std::string_view type; // TYPE= in upper case
    char16_t letter;       // names the extra entry of an ordinary book ("Ann/M")
};

// In the order an import tries them: "WORK,FAX" is a fax, "CELL,VOICE" a
// mobile. The main number comes last, as VOICE or without a type.
inline constexpr std::array<VcardTelKind, 7> kVcardTelKinds = {{{kValueFax, "FAX", u'F'},
                                                                {kValuePager, "PAGER", u'P'},
                                                                {kValueMobile, "CELL", u'M'},
                                                                {kValueWork, "WORK", u'W'},
                                                                {kValueHome, "HOME", u'H'},
                                                                {kValueOther, "X-OTHER", u'O'},
                                                                {kValueMain, "VOICE", u'O'}}};

struct VcardIdenProperty {
    int value;
    std::string_view name;
};

inline constexpr std::array<VcardIdenProperty, 3> kVcardIdenProperties = {
    {{kValuePrivateId, "X-PELMORA-PRIVATE-ID"},
     {kValueTalkgroup, "X-PELMORA-TALKGROUP"},
     {kValueChatAddress, "X-PELMORA-CHAT"}}};

// Marks a card of the iDEN book, so that it goes back there.
inline constexpr std::string_view kVcardBookProperty = "X-PELMORA-BOOK";
inline constexpr std::string_view kVcardIdenBook = "IDEN";
inline constexpr std::string_view kVcardUsimBook = "USIM";

// Backslash, comma, semicolon and line breaks escaped.
[[nodiscard]] std::u16string escapeVcardText(std::u16string_view text);
// The escapes undone; a line break becomes a blank, as entries hold one line.
[[nodiscard]] std::u16string unescapeVcardText(std::u16string_view text);
// A structured value split at its unescaped separators, each part unescaped.
[[nodiscard]] std::vector<std::u16string> splitVcardValue(std::u16string_view text,
                                                          char16_t separator);

} // namespace pelmora::model
