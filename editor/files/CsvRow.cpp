#include "CsvRow.h"

#include "AdditionalValues.h"
#include "BookKind.h"
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
    const std::span<const AdditionalValue> extras = additionalValues(kBookUsim);
    texts.usim.resize(extras.size());
    for (size_t i = 0; i < extras.size(); ++i) {
        takeText(texts.usim[i], extras[i].text);
    }
    return texts;
}

std::vector<std::u16string> csvColumns(const PhoneBookEntry& entry, uint16_t bookKind) {
    const bool iden = bookKind == kBookNextel;
    const size_t count = iden ? kIdenCsvColumns.size() : kOrdinaryCsvColumnCount;
    std::vector<std::u16string> columns;
    columns.reserve(count);
    for (size_t c = 0; c < count; ++c) {
        const int value = kIdenCsvColumns[c];
        columns.emplace_back(value == kCsvNameColumn ? fieldText(entry.name)
                                                     : entryValue(entry, value));
    }
    for (const AdditionalValue& extra : additionalValues(bookKind)) {
        columns.emplace_back(entryValue(entry, extra.value));
    }
    return columns;
}

std::vector<std::u16string> csvHeader(const CsvHeaderTexts& texts, uint16_t bookKind) {
    std::vector<std::u16string> columns = {texts.name, texts.phone};
    if (bookKind == kBookNextel) {
        columns.insert(columns.end(), texts.iden.begin(), texts.iden.end());
    }
    const size_t extras = additionalValues(bookKind).size();
    for (size_t i = 0; i < extras; ++i) {
        columns.push_back(i < texts.usim.size() ? texts.usim[i] : std::u16string());
    }
    return columns;
}

uint16_t csvLayoutBook(size_t columns) {
    if (columns == kOrdinaryCsvColumnCount + additionalValues(kBookUsim).size()) {
        return kBookUsim;
    }
    return columns > kOrdinaryCsvColumnCount ? kBookNextel : kBookAdn;
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
