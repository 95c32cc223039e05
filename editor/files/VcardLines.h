#pragma once
// The content lines of a .vcf file: folded lines joined, quoted-printable
// soft line breaks followed, each line split into its name, parameters and
// value. Values stay raw bytes until a property is used, so that a property
// nobody reads (a photo, a note in an odd character set) cannot fail the file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pelmora::model {

// Where and why a file is no vCard file: a language text with the line number.
struct VcardError {
    size_t line = 0;
    int text = 0;
    std::string detail; // the text's second argument, when it has one
};

struct VcardProperty {
    size_t line = 0;  // the first line of the property in the file
    std::string name; // upper case, without its group
    // Names in upper case; a bare 2.1 parameter ("TEL;CELL") is a TYPE.
    std::vector<std::pair<std::string, std::string>> parameters;
    std::string value; // as written, quoted-printable not yet decoded

    // Whether TYPE lists the value (any letter case, comma lists included).
    [[nodiscard]] bool hasType(std::string_view upperType) const;
    [[nodiscard]] std::optional<std::string> parameter(std::string_view upperName) const;
    // The value as text: quoted-printable decoded, CHARSET= applied (UTF-8
    // when none is named). Escapes are left for the caller.
    [[nodiscard]] std::optional<std::u16string> text(VcardError& error) const;
};

struct VcardLines {
    std::vector<VcardProperty> properties;
    std::optional<VcardError> error;
};

[[nodiscard]] VcardLines splitVcardLines(std::span<const uint8_t> bytes);

} // namespace pelmora::model
