#include "CsvRow.h"

#include "LangText.h"
#include "Records.h"

namespace pelmora::model {

namespace {

void takeText(std::u16string& title, int number) {
    std::u16string text = velmet::langText(number);
    if (!text.empty()) {
        title = std::move(text);
    }
}

} // namespace

CsvHeaderTexts csvHeaderTexts() {
    CsvHeaderTexts texts;
    takeText(texts.name, 2);
    takeText(texts.phone, 3);
    for (size_t i = 0; i < texts.iden.size(); ++i) {
        takeText(texts.iden[i], 132 + static_cast<int>(i));
    }
    return texts;
}

std::vector<std::u16string> csvColumns(const PhoneBookEntry& entry, bool iden) {
    const size_t count = iden ? kIdenCsvColumns.size() : kOrdinaryCsvColumnCount;
    std::vector<std::u16string> columns;
    columns.reserve(count);
    for (size_t c = 0; c < count; ++c) {
        const int value = kIdenCsvColumns[c];
        columns.emplace_back(value == kCsvNameColumn ? fieldText(entry.name)
                                                     : entryValue(entry, value));
    }
    return columns;
}

std::vector<std::u16string> csvHeader(const CsvHeaderTexts& texts, bool iden) {
    std::vector<std::u16string> columns = {texts.name, texts.phone};
    if (iden) {
        columns.insert(columns.end(), texts.iden.begin(), texts.iden.end());
    }
    return columns;
}

std::u16string quoteCsvField(std::u16string_view field, char16_t separator) {
    const bool quote = field.find_first_of(u"\" \t\r\n") != std::u16string_view::npos ||
                       field.find(separator) != std::u16string_view::npos;
    if (!quote) {
        return std::u16string(field);
    }
    std::u16string out;
    out.reserve(field.size() + 2);
    out.push_back(u'"');
    for (char16_t c : field) {
        out.push_back(c);
        if (c == u'"') {
            out.push_back(u'"');
        }
    }
    out.push_back(u'"');
    return out;
}

std::u16string formatCsvRow(const std::vector<std::u16string>& fields, char16_t separator) {
    std::u16string row;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            row.push_back(separator);
        }
        row.append(quoteCsvField(fields[i], separator));
    }
    row.append(u"\r\n");
    return row;
}

} // namespace pelmora::model
