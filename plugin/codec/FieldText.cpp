#include "codec/FieldText.h"

#include <algorithm>

namespace brontel::codec {

std::u16string_view fieldText(const char16_t* field, size_t capacity) {
    if (field == nullptr) {
        return {};
    }
    const char16_t* end = std::find(field, field + capacity, u'\0');
    return {field, static_cast<size_t>(end - field)};
}

bool setFieldText(char16_t* field, size_t capacity, std::u16string_view text) {
    if (field == nullptr || capacity == 0) {
        return text.empty();
    }
    size_t length = std::min(text.size(), capacity - 1);
    if (length < text.size() && length > 0 && text[length - 1] >= 0xD800 &&
        text[length - 1] <= 0xDBFF) {
        --length;
    }
    std::copy_n(text.begin(), length, field);
    std::fill(field + length, field + capacity, u'\0');
    return length == text.size();
}

} // namespace brontel::codec
