#pragma once
// The NUL-terminated UTF-16 text fields of the records in Brontel.h, read and
// written the same way by the plug-in and the editor.

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace brontel::codec {

// The text of a field, never reading past its capacity even without a NUL.
[[nodiscard]] inline std::u16string_view fieldText(const char16_t* field, size_t capacity) {
    if (field == nullptr) {
        return {};
    }
    const char16_t* end = std::find(field, field + capacity, u'\0');
    return {field, static_cast<size_t>(end - field)};
}

template <size_t N> [[nodiscard]] std::u16string_view fieldText(const char16_t (&field)[N]) {
    return fieldText(field, N);
}

// The text a field of capacity units holds after setFieldText: up to the
// first NUL, at most capacity - 1 units, never ending in half a surrogate pair.
[[nodiscard]] inline std::u16string_view cutToWidth(std::u16string_view text, size_t capacity) {
    if (capacity == 0) {
        return {};
    }
    text = text.substr(0, std::min(text.find(u'\0'), capacity - 1));
    if (!text.empty() && text.size() == capacity - 1 && text.back() >= 0xD800 &&
        text.back() <= 0xDBFF) {
        text.remove_suffix(1);
    }
    return text;
}

// Stores the text cut to the field and zeroes the rest, so equal texts give
// equal bytes; false when the text was cut.
inline bool setFieldText(char16_t* field, size_t capacity, std::u16string_view text) {
    if (field == nullptr || capacity == 0) {
        return text.empty();
    }
    const std::u16string_view kept = cutToWidth(text, capacity);
    std::copy(kept.begin(), kept.end(), field);
    std::fill(field + kept.size(), field + capacity, u'\0');
    return kept.size() == text.size();
}

template <size_t N> bool setFieldText(char16_t (&field)[N], std::u16string_view text) {
    return setFieldText(field, N, text);
}

} // namespace brontel::codec
