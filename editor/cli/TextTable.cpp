#include "TextTable.h"

#include "HexDigits.h"
#include "Terminal.h"

#include <algorithm>

namespace pelmora::cli {

namespace {

// Characters on screen, counted as code points.
size_t width(std::u16string_view text) {
    size_t count = 0;
    for (char16_t unit : text) {
        if (unit < 0xDC00 || unit > 0xDFFF) {
            ++count;
        }
    }
    return count;
}

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::u16string escapedControls(std::u16string text) {
    if (std::none_of(text.begin(), text.end(), isControl)) {
        return text;
    }
    std::u16string shown;
    for (char16_t c : text) {
        if (isControl(c)) {
            shown += u"\\x";
            shown += platform::hexNumber<char16_t>(c, 2);
        } else {
            shown += c;
        }
    }
    return shown;
}

} // namespace

void TextTable::addRow(std::vector<std::u16string> row) {
    for (std::u16string& cell : row) {
        cell = escapedControls(std::move(cell));
    }
    m_rows.push_back(std::move(row));
}

void TextTable::dropEmptyColumns() {
    size_t columns = 0;
    for (const auto& row : m_rows) {
        columns = std::max(columns, row.size());
    }
    for (size_t c = columns; c-- > 1;) {
        const bool empty =
            std::all_of(m_rows.begin() + (m_rows.empty() ? 0 : 1), m_rows.end(),
                        [c](const auto& row) { return c >= row.size() || row[c].empty(); });
        if (empty) {
            for (auto& row : m_rows) {
                if (c < row.size()) {
                    row.erase(row.begin() + static_cast<std::ptrdiff_t>(c));
                }
            }
        }
    }
}

void TextTable::print(const std::string& indent) const {
    std::vector<size_t> widths;
    for (const auto& row : m_rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], width(row[c]));
        }
    }
    for (const auto& row : m_rows) {
        std::string line = indent;
        for (size_t c = 0; c < row.size(); ++c) {
            line += utf8(row[c]);
            if (c + 1 < row.size()) {
                line.append(widths[c] - width(row[c]) + 2, ' ');
            }
        }
        // An empty last column leaves no blanks behind.
        line.erase(line.find_last_not_of(' ') + 1);
        printLine(line);
    }
}

} // namespace pelmora::cli
