#pragma once
// The one naming rule that the editor and the support library share: how an
// identifier becomes part of a MIME type and a desktop-entry name.

#include <string>
#include <string_view>

namespace pelmora::qulvio {

// The identifier (UTF-8) lower-cased, every character other than a-z, 0-9,
// "." and "-" turned into one "-" ("Pelmora 2.Document" gives
// "pelmora-2.document").
[[nodiscard]] inline std::string identifierStem(std::string_view identifier) {
    std::string stem;
    for (char c : identifier) {
        const auto u = static_cast<unsigned char>(c);
        if ((u & 0xC0) == 0x80) {
            continue; // a UTF-8 continuation byte: its character is already one "-"
        }
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        const bool kept = (lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9') ||
                          c == '.' || c == '-';
        stem.push_back(kept ? lower : '-');
    }
    return stem;
}

// "application/x-" followed by the stem.
[[nodiscard]] inline std::string mimeTypeFor(std::string_view identifier) {
    return "application/x-" + identifierStem(identifier);
}

} // namespace pelmora::qulvio
