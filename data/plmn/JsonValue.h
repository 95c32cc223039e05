#pragma once
// A small JSON reader for the country-name table: objects, arrays, strings
// (UTF-8, escapes decoded), numbers kept as their text, true, false, null.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::plmn {

struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text; // the string, or the number as written
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    // The member's value when this is an object holding it, else nothing.
    [[nodiscard]] const JsonValue* member(const std::string& name) const;
    // The member's text when it is a string, else empty.
    [[nodiscard]] std::string memberText(const std::string& name) const;
};

// Parses a whole document; malformed input throws std::runtime_error naming
// the byte offset.
[[nodiscard]] JsonValue parseJson(std::string_view document);

} // namespace pelmora::plmn
