#pragma once
// Hexadecimal text: the one place that reads and writes hex digits, for
// card bytes, trace lines, profile values and numbers shown to the user.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::platform {

enum class HexCase { Upper, Lower };

// The value of one hex digit of either case; -1 for any other character.
[[nodiscard]] constexpr int hexDigitValue(char32_t c) noexcept {
    if (c >= U'0' && c <= U'9') {
        return static_cast<int>(c - U'0');
    }
    if (c >= U'A' && c <= U'F') {
        return static_cast<int>(c - U'A') + 10;
    }
    if (c >= U'a' && c <= U'f') {
        return static_cast<int>(c - U'a') + 10;
    }
    return -1;
}

// The digit for the low four bits of value.
[[nodiscard]] constexpr char hexDigit(uint64_t value, HexCase letters = HexCase::Upper) noexcept {
    constexpr std::string_view kUpper = "0123456789ABCDEF";
    constexpr std::string_view kLower = "0123456789abcdef";
    return (letters == HexCase::Upper ? kUpper : kLower)[value & 0xFu];
}

// value in hex, most significant digit first, zero-padded to minDigits.
template <typename Char = char>
[[nodiscard]] std::basic_string<Char> hexNumber(uint64_t value, size_t minDigits = 1,
                                                HexCase letters = HexCase::Upper) {
    std::basic_string<Char> text;
    do {
        text.insert(text.begin(), static_cast<Char>(hexDigit(value, letters)));
        value >>= 4;
    } while (value != 0 || text.size() < minDigits);
    return text;
}

// Appends two upper-case digits per byte, separator between bytes unless it is Char{}.
template <typename Char>
void appendHexBytes(std::basic_string<Char>& text, std::span<const uint8_t> bytes,
                    Char separator = Char{}) {
    text.reserve(text.size() + bytes.size() * 3);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && separator != Char{}) {
            text.push_back(separator);
        }
        text.push_back(static_cast<Char>(hexDigit(bytes[i] >> 4)));
        text.push_back(static_cast<Char>(hexDigit(bytes[i])));
    }
}

template <typename Char = char>
[[nodiscard]] std::basic_string<Char> hexBytes(std::span<const uint8_t> bytes,
                                               Char separator = Char{}) {
    std::basic_string<Char> text;
    appendHexBytes(text, bytes, separator);
    return text;
}

// Bytes from two digits each (either case, nothing between them); nothing
// when the length is odd or a character is no hex digit.
template <typename Char>
[[nodiscard]] std::optional<std::vector<uint8_t>> parseHexPairs(std::basic_string_view<Char> text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = hexDigitValue(static_cast<char32_t>(text[i]));
        const int low = hexDigitValue(static_cast<char32_t>(text[i + 1]));
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return bytes;
}

} // namespace pelmora::platform
