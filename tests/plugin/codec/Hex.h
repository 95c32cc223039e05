#pragma once
// Byte strings written as hex pairs in the tests ("07 91 21 F3" or "0791"), and
// times written out.

#include "SystemTime.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace brontel::codec::test {

inline std::vector<uint8_t> hex(std::string_view text) {
    std::vector<uint8_t> bytes;
    int high = -1;
    for (char c : text) {
        int v;
        if (c >= '0' && c <= '9') {
            v = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            v = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            v = c - 'A' + 10;
        } else {
            continue;
        }
        if (high < 0) {
            high = v;
        } else {
            bytes.push_back(static_cast<uint8_t>(high << 4 | v));
            high = -1;
        }
    }
    return bytes;
}

// The bytes followed by 0xFF up to length.
inline std::vector<uint8_t> padded(std::vector<uint8_t> bytes, size_t length) {
    bytes.resize(length, 0xFF);
    return bytes;
}

inline std::string hexText(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (uint8_t b : bytes) {
        if (!out.empty()) {
            out += ' ';
        }
        out += digits[b >> 4];
        out += digits[b & 0xF];
    }
    return out;
}

// "2003-11-22 14:53:06"
inline std::string timeText(const pelmora::SystemTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", unsigned{t.year},
                  unsigned{t.month}, unsigned{t.day}, unsigned{t.hour}, unsigned{t.minute},
                  unsigned{t.second});
    return text;
}

} // namespace brontel::codec::test
