#include "XmlDocument.h"

#include "TextScanner.h"

#include <cstdint>
#include <stdexcept>

namespace pelmora::plmn {
namespace {

class Parser : TextScanner {
public:
    explicit Parser(std::string_view text) : TextScanner(text) {}

    XmlElement document() {
        skipMisc();
        if (!startsWith("<")) {
            fail("no root element");
        }
        XmlElement root = element(0);
        skipMisc();
        if (m_pos != m_text.size()) {
            fail("content after the root element");
        }
        return root;
    }

private:
    void skipPast(std::string_view end) {
        const std::size_t found = m_text.find(end, m_pos);
        if (found == std::string_view::npos) {
            fail("missing \"" + std::string(end) + "\"");
        }
        m_pos = found + end.size();
    }

    void skipDoctype() {
        int brackets = 0;
        for (; m_pos < m_text.size(); ++m_pos) {
            const char c = m_text[m_pos];
            if (c == '[') {
                ++brackets;
            } else if (c == ']') {
                --brackets;
            } else if (c == '>' && brackets <= 0) {
                ++m_pos;
                return;
            }
        }
        fail("unterminated document type");
    }

    // Whitespace, comments, processing instructions and the document type.
    void skipMisc() {
        for (;;) {
            skipSpace();
            skipByteOrderMark();
            if (startsWith("<?")) {
                skipPast("?>");
            } else if (startsWith("<!--")) {
                skipPast("-->");
            } else if (startsWith("<!DOCTYPE")) {
                skipDoctype();
            } else {
                return;
            }
        }
    }

    static bool isNameChar(char c) {
        return c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '/' && c != '>' &&
               c != '=' && c != '<' && c != '"' && c != '\'';
    }

    std::string name() {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && isNameChar(m_text[m_pos])) {
            ++m_pos;
        }
        if (m_pos == start) {
            fail("expected a name");
        }
        return std::string(m_text.substr(start, m_pos - start));
    }

    // Decodes character references in raw text.
    std::string decode(std::string_view raw) {
        std::string out;
        out.reserve(raw.size());
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '&') {
                out.push_back(raw[i]);
                continue;
            }
            const std::size_t semi = raw.find(';', i);
            if (semi == std::string_view::npos || semi - i > 10) {
                out.push_back('&');
                continue;
            }
            const std::string_view ref = raw.substr(i + 1, semi - i - 1);
            if (ref == "amp") {
                out.push_back('&');
            } else if (ref == "lt") {
                out.push_back('<');
            } else if (ref == "gt") {
                out.push_back('>');
            } else if (ref == "quot") {
                out.push_back('"');
            } else if (ref == "apos") {
                out.push_back('\'');
            } else if (ref.size() > 1 && ref[0] == '#') {
                const bool hex = ref[1] == 'x' || ref[1] == 'X';
                uint32_t cp = 0;
                bool valid = ref.size() > (hex ? 2u : 1u);
                for (std::size_t k = hex ? 2 : 1; k < ref.size() && valid; ++k) {
                    const int digit = hexDigit(ref[k]);
                    valid = digit >= 0 && digit < (hex ? 16 : 10) && cp <= 0x10FFFF;
                    cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
                }
                if (!valid || cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
                    out.append(raw.substr(i, semi - i + 1));
                } else {
                    appendCodePoint(out, cp);
                }
            } else {
                out.append(raw.substr(i, semi - i + 1));
            }
            i = semi;
        }
        return out;
    }

    void attributes(XmlElement& element) {
        for (;;) {
            skipSpace();
            if (m_pos >= m_text.size()) {
                fail("unterminated start tag");
            }
            if (m_text[m_pos] == '/' || m_text[m_pos] == '>') {
                return;
            }
            std::string key = name();
            skipSpace();
            if (!startsWith("=")) {
                fail("expected '='");
            }
            ++m_pos;
            skipSpace();
            if (m_pos >= m_text.size() || (m_text[m_pos] != '"' && m_text[m_pos] != '\'')) {
                fail("expected a quoted value");
            }
            const char quote = m_text[m_pos++];
            const std::size_t end = m_text.find(quote, m_pos);
            if (end == std::string_view::npos) {
                fail("unterminated attribute value");
            }
            element.attributes.emplace_back(std::move(key),
                                            decode(m_text.substr(m_pos, end - m_pos)));
            m_pos = end + 1;
        }
    }

    XmlElement element(int depth) {
        if (depth > kMaxDepth) {
            fail("elements nested too deeply");
        }
        ++m_pos; // '<'
        XmlElement element;
        element.name = name();
        attributes(element);
        if (startsWith("/>")) {
            m_pos += 2;
            return element;
        }
        ++m_pos; // '>'
        for (;;) {
            if (m_pos >= m_text.size()) {
                fail("unterminated element <" + element.name + ">");
            }
            if (startsWith("</")) {
                m_pos += 2;
                if (name() != element.name) {
                    fail("mismatched end tag for <" + element.name + ">");
                }
                skipSpace();
                if (!startsWith(">")) {
                    fail("expected '>'");
                }
                ++m_pos;
                return element;
            }
            if (startsWith("<!--")) {
                skipPast("-->");
            } else if (startsWith("<![CDATA[")) {
                const std::size_t start = m_pos + 9;
                skipPast("]]>");
                element.text.append(m_text.substr(start, m_pos - 3 - start));
            } else if (startsWith("<?")) {
                skipPast("?>");
            } else if (startsWith("<")) {
                element.children.push_back(this->element(depth + 1));
            } else {
                const std::size_t end = std::min(m_text.find('<', m_pos), m_text.size());
                element.text.append(decode(m_text.substr(m_pos, end - m_pos)));
                m_pos = end;
            }
        }
    }
};

} // namespace

const std::string* XmlElement::attribute(std::string_view attributeName) const {
    for (const auto& [key, value] : attributes) {
        if (key == attributeName) {
            return &value;
        }
    }
    return nullptr;
}

std::vector<const XmlElement*> XmlElement::childrenNamed(std::string_view childName) const {
    std::vector<const XmlElement*> found;
    for (const XmlElement& child : children) {
        if (child.name == childName) {
            found.push_back(&child);
        }
    }
    return found;
}

XmlElement parseXml(std::string_view document) {
    return readDocument<Parser>("XML", document);
}

} // namespace pelmora::plmn
