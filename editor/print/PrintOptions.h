#pragma once
// What a print shows besides the book: the header lines, the logo and the
// page numbers, as the user chose them in the print setup.

#include "Settings.h"

#include <string>

namespace pelmora::print {

struct PrintOptions {
    bool sourceName = true;  // PRINTSOURCE
    bool programName = true; // PRINTPRGNAME
    bool dateTime = true;    // PRINTDATA
    bool pageNumbers = true; // PRINTPAGES
    std::u16string title;    // PRINTTITLE; empty: no title line
    std::u16string logo;     // PRINTLOGO; empty: no logo

    friend bool operator==(const PrintOptions&, const PrintOptions&) = default;
};

// The title is kept to this many characters.
inline constexpr size_t kMaxTitleLength = 259;

[[nodiscard]] PrintOptions printOptions(const velmet::Settings& settings);
void storePrintOptions(velmet::Settings& settings, const PrintOptions& options);

} // namespace pelmora::print
