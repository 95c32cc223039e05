#include "LangFormat.h"

#include <algorithm>

namespace pelmora::velmet {
namespace {

// Longer widths and precisions are pointless: the result is cut anyway.
constexpr std::size_t kMaxWidth = 1024;

struct Spec {
    bool left = false;
    bool zero = false;
    bool plus = false;
    bool space = false;
    std::size_t width = 0;
    bool hasPrecision = false;
    std::size_t precision = 0;
    char16_t conversion = 0;
    std::size_t length = 0; // code units of the whole conversion, '%' included
};

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::size_t readCount(std::u16string_view text, std::size_t& pos) {
    std::size_t value = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        value = std::min(kMaxWidth, value * 10 + static_cast<std::size_t>(text[pos] - u'0'));
        ++pos;
    }
    return value;
}

// Parses the conversion starting at format[start] == '%'; conversion stays 0
// when the text there is not one we accept.
Spec parseSpec(std::u16string_view format, std::size_t start) {
    Spec spec;
    std::size_t pos = start + 1;
    for (; pos < format.size(); ++pos) {
        const char16_t c = format[pos];
        if (c == u'-') {
            spec.left = true;
        } else if (c == u'0') {
            spec.zero = true;
        } else if (c == u'+') {
            spec.plus = true;
        } else if (c == u' ') {
            spec.space = true;
        } else {
            break;
        }
    }
    spec.width = readCount(format, pos);
    if (pos < format.size() && format[pos] == u'.') {
        ++pos;
        spec.hasPrecision = true;
        spec.precision = readCount(format, pos);
    }
    if (pos < format.size() && (format[pos] == u'l' || format[pos] == u'h')) {
        ++pos;
    }
    if (pos < format.size()) {
        const char16_t c = format[pos];
        if (c == u's' || c == u'd' || c == u'i' || c == u'u' || c == u'x' || c == u'X') {
            spec.conversion = c;
            spec.length = pos + 1 - start;
        }
    }
    return spec;
}

std::u16string digits(uint64_t value, unsigned base, bool upper) {
    const char16_t* set = upper ? u"0123456789ABCDEF" : u"0123456789abcdef";
    std::u16string out;
    do {
        out.push_back(set[value % base]);
        value /= base;
    } while (value != 0);
    std::reverse(out.begin(), out.end());
    return out;
}

// The unsigned reading of a number, as printf gives it for an int argument.
uint64_t asUnsigned(const LangArg& arg) {
    const int64_t n = arg.number();
    if (arg.isUnsigned() || n >= 0) {
        return static_cast<uint64_t>(n);
    }
    if (n >= INT32_MIN) {
        return static_cast<uint32_t>(static_cast<int32_t>(n));
    }
    return static_cast<uint64_t>(n);
}

std::u16string formatNumber(const Spec& spec, const LangArg& arg) {
    std::u16string sign;
    std::u16string body;
    if (spec.conversion == u'd' || spec.conversion == u'i') {
        const int64_t n = arg.number();
        if (arg.isUnsigned() || n >= 0) {
            body = digits(static_cast<uint64_t>(n), 10, false);
            sign = spec.plus ? u"+" : spec.space ? u" " : u"";
        } else {
            body = digits(0 - static_cast<uint64_t>(n), 10, false);
            sign = u"-";
        }
    } else {
        const unsigned base = spec.conversion == u'u' ? 10 : 16;
        body = digits(asUnsigned(arg), base, spec.conversion == u'X');
    }
    if (spec.hasPrecision && body.size() < spec.precision) {
        body.insert(0, spec.precision - body.size(), u'0');
    }
    const std::size_t used = sign.size() + body.size();
    if (spec.width > used && spec.zero && !spec.left && !spec.hasPrecision) {
        body.insert(0, spec.width - used, u'0');
    }
    return sign + body;
}

void appendPadded(std::u16string& out, const Spec& spec, std::u16string_view value) {
    const std::size_t pad = spec.width > value.size() ? spec.width - value.size() : 0;
    if (!spec.left) {
        out.append(pad, u' ');
    }
    out.append(value);
    if (spec.left) {
        out.append(pad, u' ');
    }
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

} // namespace

std::u16string formatLangText(std::u16string_view format, std::span<const LangArg> args,
                              std::size_t maxLength) {
    std::u16string out;
    std::size_t nextArg = 0;
    std::size_t pos = 0;
    // Stop early once the output is long enough: the rest would be cut anyway.
    while (pos < format.size() && out.size() <= maxLength) {
        const char16_t c = format[pos];
        if (c != u'%') {
            out.push_back(c);
            ++pos;
            continue;
        }
        if (pos + 1 < format.size() && format[pos + 1] == u'%') {
            out.push_back(u'%');
            pos += 2;
            continue;
        }
        const Spec spec = parseSpec(format, pos);
        const bool wantsText = spec.conversion == u's';
        if (spec.conversion == 0 || nextArg >= args.size() || args[nextArg].isText() != wantsText) {
            out.push_back(u'%');
            ++pos;
            continue;
        }
        const LangArg& arg = args[nextArg++];
        if (wantsText) {
            std::u16string_view text = arg.text();
            if (spec.hasPrecision && text.size() > spec.precision) {
                text = text.substr(0, spec.precision);
            }
            appendPadded(out, spec, text);
        } else {
            appendPadded(out, spec, formatNumber(spec, arg));
        }
        pos += spec.length;
    }
    if (out.size() > maxLength) {
        out.resize(maxLength);
        if (!out.empty() && isHighSurrogate(out.back())) {
            out.pop_back();
        }
    }
    return out;
}

} // namespace pelmora::velmet
