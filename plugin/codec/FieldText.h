#pragma once
// The NUL-terminated UTF-16 text fields of the boundary records.

#include <cstddef>
#include <string_view>

namespace brontel::codec {

// The text of a field, never reading past its capacity even without a NUL.
[[nodiscard]] std::u16string_view fieldText(const char16_t* field, size_t capacity);

template <size_t N> [[nodiscard]] std::u16string_view fieldText(const char16_t (&field)[N]) {
    return fieldText(field, N);
}

// Stores text cut to capacity - 1 units (never between the halves of a
// surrogate pair) and a NUL, zeroing the rest; false when the text was cut.
bool setFieldText(char16_t* field, size_t capacity, std::u16string_view text);

template <size_t N> bool setFieldText(char16_t (&field)[N], std::u16string_view text) {
    return setFieldText(field, N, text);
}

} // namespace brontel::codec
