#pragma once
// One hexadecimal digit of a text, either case.

namespace pelmora::platform {

// 0 to 15, or -1 for any other character.
[[nodiscard]] constexpr int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    return -1;
}

} // namespace pelmora::platform
