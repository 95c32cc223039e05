#include "VcardLines.h"

#include "CodePage.h"
#include "HexDigits.h"
#include "Utf8Validation.h"
#include "VcardFormat.h"
#include "VcardTexts.h"

#include <algorithm>

namespace pelmora::model {

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upperCase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), upper);
    return out;
}

bool equalsUpper(std::string_view text, std::string_view upperText) {
    return text.size() == upperText.size() &&
           std::equal(text.begin(), text.end(), upperText.begin(),
                      [](char a, char b) { return upper(a) == b; });
}

// Control characters other than tab and line breaks mean the file is no text.
bool isBinaryByte(uint8_t byte) {
    return (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7F;
}

struct PhysicalLine {
    size_t number;
    std::string_view text;
};

std::vector<PhysicalLine> physicalLines(std::string_view text) {
    std::vector<PhysicalLine> lines;
    size_t number = 1;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back({number, text.substr(start)});
            break;
        }
        lines.push_back({number, text.substr(start, end - start)});
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
        ++number;
    }
    return lines;
}

bool isQuotedPrintableLine(std::string_view line) {
    const size_t colon = line.find(':');
    const std::string head = upperCase(line.substr(0, colon));
    return head.find("QUOTED-PRINTABLE") != std::string::npos;
}

bool isNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

// NAME *(;PARAM) : VALUE, where parameter values may be quoted.
std::optional<VcardProperty> parseContentLine(std::string_view line, size_t number) {
    size_t at = 0;
    while (at < line.size() && isNameCharacter(line[at])) {
        ++at;
    }
    if (at == 0 || at == line.size() || (line[at] != ';' && line[at] != ':')) {
        return std::nullopt;
    }
    VcardProperty property;
    property.line = number;
    const std::string_view fullName = line.substr(0, at);
    const size_t dot = fullName.rfind('.');
    property.name = upperCase(dot == std::string_view::npos ? fullName : fullName.substr(dot + 1));
    while (line[at] == ';') {
        const size_t begin = ++at;
        bool quoted = false;
        while (at < line.size() && (quoted || (line[at] != ';' && line[at] != ':'))) {
            quoted ^= line[at] == '"';
            ++at;
        }
        if (at == line.size()) {
            return std::nullopt;
        }
        const std::string_view parameter = line.substr(begin, at - begin);
        const size_t equals = parameter.find('=');
        std::string value(equals == std::string_view::npos ? parameter
                                                           : parameter.substr(equals + 1));
        value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
        property.parameters.emplace_back(equals == std::string_view::npos
                                             ? std::string("TYPE")
                                             : upperCase(parameter.substr(0, equals)),
                                         std::move(value));
    }
    property.value = std::string(line.substr(at + 1));
    return property;
}

// A "=" not followed by two hex digits stays as it is.
std::string decodeQuotedPrintable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const int high =
            i + 2 < text.size() ? platform::hexDigitValue(static_cast<uint8_t>(text[i + 1])) : -1;
        const int low = high >= 0 ? platform::hexDigitValue(static_cast<uint8_t>(text[i + 2])) : -1;
        if (text[i] == '=' && low >= 0) {
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// The code pages behind the character sets phones name; 0 for UTF-8 and
// ASCII, 1 for Latin-1 (decoded here: every byte is its code point).
constexpr std::pair<std::string_view, unsigned> kCharsets[] = {
    {"UTF-8", 0},           {"US-ASCII", 0},        {"ISO-8859-1", 1},      {"LATIN1", 1},
    {"WINDOWS-1250", 1250}, {"WINDOWS-1251", 1251}, {"WINDOWS-1252", 1252}, {"WINDOWS-1253", 1253},
    {"WINDOWS-1254", 1254}, {"WINDOWS-1255", 1255}, {"WINDOWS-1256", 1256}, {"WINDOWS-1257", 1257},
    {"WINDOWS-1258", 1258}, {"SHIFT_JIS", 932},     {"GB2312", 936},        {"GBK", 936},
    {"BIG5", 950},          {"EUC-KR", 949},        {"KS_C_5601-1987", 949}};

} // namespace

bool VcardProperty::hasType(std::string_view upperType) const {
    for (const auto& [name, value] : parameters) {
        if (name != "TYPE") {
            continue;
        }
        size_t start = 0;
        while (start <= value.size()) {
            const size_t comma = std::min(value.find(',', start), value.size());
            if (equalsUpper(std::string_view(value).substr(start, comma - start), upperType)) {
                return true;
            }
            start = comma + 1;
        }
    }
    return false;
}

std::optional<std::string> VcardProperty::parameter(std::string_view upperName) const {
    for (const auto& [name, value] : parameters) {
        if (name == upperName) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<std::u16string> VcardProperty::text(VcardError& error) const {
    const std::optional<std::string> encoding = parameter("ENCODING");
    const std::string bytes = encoding && equalsUpper(*encoding, "QUOTED-PRINTABLE")
                                  ? decodeQuotedPrintable(value)
                                  : value;
    const std::string charset = upperCase(parameter("CHARSET").value_or("UTF-8"));
    const auto known = std::find_if(std::begin(kCharsets), std::end(kCharsets),
                                    [&](const auto& entry) { return entry.first == charset; });
    if (known == std::end(kCharsets)) {
        error = {line, kVcardUnknownCharsetText, charset};
        return std::nullopt;
    }
    if (known->second == 1) {
        std::u16string latin1;
        for (char c : bytes) {
            latin1.push_back(static_cast<uint8_t>(c));
        }
        return latin1;
    }
    if (known->second != 0) {
        return platform::fromCodePage(bytes, known->second);
    }
    if (!isWellFormedUtf8(
            std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))) {
        error = {line, kVcardNotUtf8Text, {}};
        return std::nullopt;
    }
    return platform::fromUtf8(bytes);
}

VcardLines splitVcardLines(std::span<const uint8_t> bytes) {
    VcardLines result;
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const std::vector<PhysicalLine> lines = physicalLines(text);
    for (const PhysicalLine& line : lines) {
        if (std::any_of(line.text.begin(), line.text.end(),
                        [](char c) { return isBinaryByte(static_cast<uint8_t>(c)); })) {
            result.error = VcardError{line.number, kVcardBinaryText, {}};
            return result;
        }
    }

    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].text.empty()) {
            continue;
        }
        if (lines[i].text.front() == ' ' || lines[i].text.front() == '\t') {
            // A continuation with nothing before it to continue.
            result.error = VcardError{lines[i].number, kVcardNotALineText, {}};
            return result;
        }
        std::string logical(lines[i].text);
        const size_t number = lines[i].number;
        const bool quotedPrintable = isQuotedPrintableLine(logical);
        while (i + 1 < lines.size()) {
            const std::string_view next = lines[i + 1].text;
            if (!next.empty() && (next.front() == ' ' || next.front() == '\t')) {
                logical.append(next.substr(1));
            } else if (quotedPrintable && logical.ends_with('=')) {
                // A soft line break of quoted-printable text.
                logical.pop_back();
                logical.append(next);
            } else {
                break;
            }
            ++i;
        }
        std::optional<VcardProperty> property = parseContentLine(logical, number);
        if (!property) {
            result.error = VcardError{number, kVcardNotALineText, {}};
            return result;
        }
        result.properties.push_back(std::move(*property));
    }
    return result;
}

} // namespace pelmora::model
