#include "CsvTokenizer.h"

namespace pelmora::model {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}
bool isLineEnd(char16_t c) {
    return c == u'\r' || c == u'\n';
}

class Tokenizer {
public:
    Tokenizer(std::u16string_view text, char16_t separator)
        : m_text(text), m_separator(separator) {}

    std::vector<TextRow> rows() {
        std::vector<TextRow> rows;
        while (m_pos < m_text.size()) {
            TextRow row = readRow();
            if (!isBlankRow(row)) {
                rows.push_back(std::move(row));
            }
        }
        return rows;
    }

private:
    std::u16string_view m_text;
    char16_t m_separator;
    size_t m_pos = 0;

    bool atEnd() const { return m_pos >= m_text.size(); }
    char16_t current() const { return m_text[m_pos]; }

    static bool isBlankRow(const TextRow& row) { return row.size() == 1 && row.front().empty(); }

    // Consumes a line end at the current position, if any.
    bool consumeLineEnd() {
        if (atEnd() || !isLineEnd(current())) {
            return false;
        }
        if (current() == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n') {
            ++m_pos;
        }
        ++m_pos;
        return true;
    }

    TextRow readRow() {
        TextRow row;
        while (true) {
            while (!atEnd() && isBlank(current())) {
                ++m_pos;
            }
            std::u16string field;
            if (!atEnd() && current() == u'"' &&
                closingQuote(m_pos + 1) != std::u16string_view::npos) {
                field = readQuoted();
            }
            while (!atEnd() && current() != m_separator && !isLineEnd(current())) {
                field.push_back(current());
                ++m_pos;
            }
            row.push_back(std::move(field));
            if (atEnd() || consumeLineEnd()) {
                return row;
            }
            ++m_pos; // the separator
        }
    }

    // Index of the quote that closes a quoted field whose text starts at from.
    size_t closingQuote(size_t from) const {
        size_t i = from;
        while (true) {
            i = m_text.find(u'"', i);
            if (i == std::u16string_view::npos) {
                return i;
            }
            if (i + 1 < m_text.size() && m_text[i + 1] == u'"') {
                i += 2;
                continue;
            }
            return i;
        }
    }

    std::u16string readQuoted() {
        const size_t close = closingQuote(m_pos + 1);
        std::u16string field;
        for (size_t i = m_pos + 1; i < close; ++i) {
            field.push_back(m_text[i]);
            if (m_text[i] == u'"') {
                ++i; // the second quote of a doubled pair
            }
        }
        m_pos = close + 1;
        while (!atEnd() && isBlank(current())) {
            ++m_pos;
        }
        return field;
    }
};

} // namespace

std::vector<TextRow> tokenizeRows(std::u16string_view text, char16_t separator) {
    return Tokenizer(text, separator).rows();
}

} // namespace pelmora::model
