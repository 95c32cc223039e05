#pragma once
// Formats the user chose through the locale: the list separator of ".csv"
// files and clipboard text, and the short date format. Both come from the
// locale named by LC_ALL, else LC_NUMERIC / LC_TIME, else LANG; a locale that
// is not installed counts as "C".

#include "SystemTime.h"

#include <string>
#include <string_view>

namespace pelmora::platform {

// The locale of one category ("LC_MESSAGES") as the environment names it:
// LC_ALL, else the category, else LANG, else "C".
[[nodiscard]] std::string localeName(const char* category);

// ';' where the decimal separator is ',', else ','.
[[nodiscard]] char16_t listSeparator();
[[nodiscard]] char16_t listSeparatorForDecimalPoint(std::string_view decimalPoint);

// The short date format as a Windows-style picture ("dd.MM.yyyy", "MM/dd/yy").
[[nodiscard]] std::u16string shortDateFormat();
// Translates a strftime date format ("%d.%m.%Y") into such a picture.
[[nodiscard]] std::u16string datePictureFromStrftime(std::string_view format);

// Formats the date of time with a picture: d, dd, M, MM, y, yy, yyyy, and
// text in single quotes taken literally ('' for a quote). Day and month names
// (ddd, dddd, MMM, MMMM) are the English ones.
[[nodiscard]] std::u16string formatDate(const SystemTime& time, std::u16string_view picture);
[[nodiscard]] inline std::u16string formatShortDate(const SystemTime& time) {
    return formatDate(time, shortDateFormat());
}

} // namespace pelmora::platform
