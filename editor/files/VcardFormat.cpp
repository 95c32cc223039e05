#include "VcardFormat.h"

#include <vector>

namespace pelmora::model {

std::u16string escapeVcardText(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            out.append(u"\\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            continue;
        }
        if (c == u'\\' || c == u',' || c == u';') {
            out.push_back(u'\\');
        }
        out.push_back(c);
    }
    return out;
}

std::u16string unescapeVcardText(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char16_t next = text[++i];
        if (next == u'n' || next == u'N') {
            out.push_back(u' ');
        } else if (next == u'\\' || next == u',' || next == u';' || next == u':') {
            out.push_back(next);
        } else {
            // Not an escape: older writers put backslashes in plain text.
            out.push_back(u'\\');
            out.push_back(next);
        }
    }
    return out;
}

std::vector<std::u16string> splitVcardValue(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i + 1 < text.size() && text[i] == u'\\') {
            ++i;
            continue;
        }
        if (i == text.size() || text[i] == separator) {
            parts.push_back(unescapeVcardText(text.substr(start, i - start)));
            start = i + 1;
        }
    }
    return parts;
}

} // namespace pelmora::model
