#pragma once
// Splits delimited text (.csv files, clipboard text) into rows and fields.
//
// Rows end at a carriage return, a carriage return and line feed, or a lone
// line feed, outside double quotes. A field that begins with a double quote
// runs to its closing quote, a doubled quote standing for one; text after the
// closing quote up to the next separator is kept with it. A quote that never
// closes is taken literally and its field ends with the line. Blanks before a
// field are skipped. Rows that hold nothing but blanks are left out.

#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

using TextRow = std::vector<std::u16string>;

[[nodiscard]] std::vector<TextRow> tokenizeRows(std::u16string_view text, char16_t separator);

} // namespace pelmora::model
