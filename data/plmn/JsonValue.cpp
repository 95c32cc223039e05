#include "JsonValue.h"

#include "TextScanner.h"

#include <cstdint>
#include <stdexcept>

namespace pelmora::plmn {
namespace {

class Parser : TextScanner {
public:
    explicit Parser(std::string_view text) : TextScanner(text) {}

    JsonValue document() {
        skipByteOrderMark();
        JsonValue value = parseValue(0);
        skipSpace();
        if (m_pos != m_text.size()) {
            fail("content after the value");
        }
        return value;
    }

private:
    char peek() {
        skipSpace();
        if (m_pos >= m_text.size()) {
            fail("unexpected end");
        }
        return m_text[m_pos];
    }

    void expect(char c) {
        if (peek() != c) {
            fail(std::string("expected '") + c + "'");
        }
        ++m_pos;
    }

    bool literal(std::string_view word) {
        if (startsWith(word)) {
            m_pos += word.size();
            return true;
        }
        return false;
    }

    uint32_t hex4() {
        if (m_pos + 4 > m_text.size()) {
            fail("short \\u escape");
        }
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = hexDigit(m_text[m_pos++]);
            if (digit < 0) {
                fail("bad \\u escape");
            }
            value = value << 4 | static_cast<uint32_t>(digit);
        }
        return value;
    }

    std::string parseString() {
        expect('"');
        std::string out;
        for (;;) {
            if (m_pos >= m_text.size()) {
                fail("unterminated string");
            }
            const char c = m_text[m_pos++];
            if (c == '"') {
                return out;
            }
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (m_pos >= m_text.size()) {
                fail("unterminated escape");
            }
            const char e = m_text[m_pos++];
            switch (e) {
            case '"':
                out.push_back('"');
                break;
            case '\\':
                out.push_back('\\');
                break;
            case '/':
                out.push_back('/');
                break;
            case 'b':
                out.push_back('\b');
                break;
            case 'f':
                out.push_back('\f');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'u': {
                uint32_t cp = hex4();
                if (cp >= 0xD800 && cp <= 0xDBFF && startsWith("\\u")) {
                    m_pos += 2;
                    const uint32_t low = hex4();
                    if (low >= 0xDC00 && low <= 0xDFFF) {
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    } else {
                        appendCodePoint(out, 0xFFFD);
                        cp = low;
                    }
                }
                if (cp >= 0xD800 && cp <= 0xDFFF) {
                    cp = 0xFFFD;
                }
                appendCodePoint(out, cp);
                break;
            }
            default:
                fail("bad escape");
            }
        }
    }

    JsonValue parseValue(int depth) {
        if (depth > kMaxDepth) {
            fail("nested too deeply");
        }
        JsonValue value;
        const char c = peek();
        if (c == '{') {
            value.kind = JsonValue::Kind::Object;
            ++m_pos;
            if (peek() == '}') {
                ++m_pos;
                return value;
            }
            for (;;) {
                std::string key = parseString();
                expect(':');
                JsonValue member = parseValue(depth + 1);
                value.members.try_emplace(std::move(key), std::move(member));
                if (peek() == ',') {
                    ++m_pos;
                    continue;
                }
                expect('}');
                return value;
            }
        }
        if (c == '[') {
            value.kind = JsonValue::Kind::Array;
            ++m_pos;
            if (peek() == ']') {
                ++m_pos;
                return value;
            }
            for (;;) {
                value.items.push_back(parseValue(depth + 1));
                if (peek() == ',') {
                    ++m_pos;
                    continue;
                }
                expect(']');
                return value;
            }
        }
        if (c == '"') {
            value.kind = JsonValue::Kind::String;
            value.text = parseString();
            return value;
        }
        if (literal("true")) {
            value.kind = JsonValue::Kind::Boolean;
            value.boolean = true;
            return value;
        }
        if (literal("false")) {
            value.kind = JsonValue::Kind::Boolean;
            return value;
        }
        if (literal("null")) {
            return value;
        }
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() &&
               std::string_view("+-0123456789.eE").find(m_text[m_pos]) != std::string_view::npos) {
            ++m_pos;
        }
        if (m_pos == start) {
            fail("unexpected character");
        }
        value.kind = JsonValue::Kind::Number;
        value.text = std::string(m_text.substr(start, m_pos - start));
        return value;
    }
};

} // namespace

const JsonValue* JsonValue::member(const std::string& name) const {
    if (kind != Kind::Object) {
        return nullptr;
    }
    const auto found = members.find(name);
    return found == members.end() ? nullptr : &found->second;
}

std::string JsonValue::memberText(const std::string& name) const {
    const JsonValue* value = member(name);
    return value && value->kind == Kind::String ? value->text : std::string();
}

JsonValue parseJson(std::string_view document) {
    return readDocument<Parser>("JSON", document);
}

} // namespace pelmora::plmn
