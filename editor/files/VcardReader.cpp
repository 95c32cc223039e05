#include "VcardReader.h"

#include "AdditionalValues.h"
#include "Category.h"
#include "CodePage.h"
#include "CsvRow.h"
#include "FieldRules.h"
#include "FileDocument.h"
#include "HexDigits.h"
#include "LangText.h"
#include "Records.h"
#include "RowImporter.h"
#include "TextFileDecoding.h"
#include "VcardFormat.h"
#include "VcardLines.h"
#include "VcardTexts.h"

#include <algorithm>
#include <optional>

namespace pelmora::model {

namespace {

struct VcardNumber {
    size_t line;
    const VcardTelKind* kind;
    std::u16string text;
};

struct VcardValue {
    size_t line;
    int value;
    std::u16string text;
};

struct VcardCard {
    size_t line = 0;
    std::u16string formattedName;
    std::u16string structuredName;
    std::vector<VcardNumber> numbers;
    std::vector<VcardValue> idenValues; // e-mail addresses and the iDEN extras
    std::u16string nickname;
    bool fromIdenBook = false;
    bool fromUsimBook = false;
};

std::u16string trimmed(std::u16string_view text) {
    const size_t first = text.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos) {
        return {};
    }
    return std::u16string(text.substr(first, text.find_last_not_of(u" \t") - first + 1));
}

bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) {
        return false;
    }
    for (size_t i = 0; i < lowerPrefix.size(); ++i) {
        const char16_t c = text[i] >= u'A' && text[i] <= u'Z' ? text[i] - u'A' + u'a' : text[i];
        if (c != lowerPrefix[i]) {
            return false;
        }
    }
    return true;
}

// "tel:+1-555-0100;ext=7": the number, percent escapes decoded, the
// visual separator "." dropped, parameters left out.
std::u16string telUriNumber(std::u16string_view uri) {
    uri.remove_prefix(4);
    uri = uri.substr(0, uri.find(u';'));
    std::u16string out;
    for (size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == u'%' && i + 2 < uri.size() && platform::hexDigitValue(uri[i + 1]) >= 0 &&
            platform::hexDigitValue(uri[i + 2]) >= 0) {
            out.push_back(static_cast<char16_t>(platform::hexDigitValue(uri[i + 1]) * 16 +
                                                platform::hexDigitValue(uri[i + 2])));
            i += 2;
        } else if (uri[i] != u'.') {
            out.push_back(uri[i]);
        }
    }
    return out;
}

const VcardTelKind& telKind(const VcardProperty& property) {
    for (const VcardTelKind& kind : kVcardTelKinds) {
        if (property.hasType(kind.type)) {
            return kind;
        }
    }
    return kVcardTelKinds.back();
}

// Family, given and further names in the order people say them.
std::u16string spokenName(std::u16string_view structured) {
    const std::vector<std::u16string> parts = splitVcardValue(structured, u';');
    std::u16string name;
    for (size_t index : {3u, 1u, 2u, 0u, 4u}) {
        if (index >= parts.size()) {
            continue;
        }
        std::u16string part = parts[index];
        std::replace(part.begin(), part.end(), u',', u' ');
        part = trimmed(part);
        if (!part.empty()) {
            name += (name.empty() ? u"" : u" ") + part;
        }
    }
    return name;
}

class CardCollector {
public:
    // False with the error set when a line breaks the file.
    bool take(const VcardProperty& property) {
        if (property.name == "BEGIN" && isVcard(property)) {
            if (m_depth++ == 0) {
                m_card = VcardCard{};
                m_card.line = property.line;
            }
            return true;
        }
        if (property.name == "END" && isVcard(property)) {
            if (m_depth == 0) {
                return fail({property.line, kVcardEndWithoutBeginText, {}});
            }
            if (--m_depth == 0) {
                m_cards.push_back(std::move(m_card));
            }
            return true;
        }
        if (m_depth == 0) {
            return fail({property.line, kVcardNotALineText, {}});
        }
        // A card inside a card (a 2.1 AGENT) is no contact of its own.
        return m_depth > 1 || takeIntoCard(property);
    }

    // False with the error set when a card is left open or none was found.
    bool finish(size_t lastLine) {
        if (m_depth > 0) {
            return fail({m_card.line, kVcardMissingEndText, {}});
        }
        if (m_cards.empty()) {
            return fail({lastLine, kVcardNoCardText, {}});
        }
        return true;
    }

    [[nodiscard]] const VcardError& error() const { return m_error; }
    [[nodiscard]] std::vector<VcardCard>& cards() { return m_cards; }

private:
    std::vector<VcardCard> m_cards;
    VcardCard m_card;
    int m_depth = 0;
    VcardError m_error;

    bool fail(VcardError error) {
        m_error = std::move(error);
        return false;
    }

    bool isVcard(const VcardProperty& property) {
        VcardError ignored;
        const std::optional<std::u16string> value = property.text(ignored);
        return value && startsWithIgnoringCase(trimmed(*value), u"vcard") &&
               trimmed(*value).size() == 5;
    }

    bool takeIntoCard(const VcardProperty& property) {
        const std::string& name = property.name;
        const bool used = name == "FN" || name == "N" || name == "TEL" || name == "EMAIL" ||
                          name == "NICKNAME" || name == kVcardBookProperty ||
                          std::any_of(kVcardIdenProperties.begin(), kVcardIdenProperties.end(),
                                      [&](const auto& iden) { return iden.name == name; });
        if (!used) {
            return true;
        }
        const std::optional<std::u16string> value = property.text(m_error);
        if (!value) {
            return false;
        }
        if (name == "FN") {
            m_card.formattedName = trimmed(unescapeVcardText(*value));
        } else if (name == "N") {
            m_card.structuredName = spokenName(*value);
        } else if (name == "TEL") {
            takeNumber(property, *value);
        } else if (name == "EMAIL") {
            m_card.idenValues.push_back(
                {property.line, kValueEmail, trimmed(unescapeVcardText(*value))});
        } else if (name == "NICKNAME") {
            m_card.nickname = trimmed(unescapeVcardText(*value));
        } else if (name == kVcardBookProperty) {
            m_card.fromIdenBook = startsWithIgnoringCase(*value, u"iden");
            m_card.fromUsimBook = startsWithIgnoringCase(*value, u"usim");
        } else {
            for (const VcardIdenProperty& iden : kVcardIdenProperties) {
                if (iden.name == name) {
                    m_card.idenValues.push_back(
                        {property.line, iden.value, trimmed(unescapeVcardText(*value))});
                }
            }
        }
        return true;
    }

    void takeNumber(const VcardProperty& property, std::u16string_view value) {
        std::u16string number = unescapeVcardText(value);
        if (startsWithIgnoringCase(number, u"tel:")) {
            number = telUriNumber(number);
        }
        number = trimmed(number);
        if (!number.empty()) {
            m_card.numbers.push_back({property.line, &telKind(property), std::move(number)});
        }
    }
};

std::u16string format(int text, size_t line, std::u16string_view first = {},
                      std::u16string_view second = {}) {
    return velmet::langText(text, static_cast<int>(line), first, second);
}

// Builds the rows of the books, noting what the books cannot take as it is.
class RowBuilder {
public:
    explicit RowBuilder(std::vector<std::u16string>& warnings) : m_warnings(warnings) {}

    std::u16string contactName(const VcardCard& card) {
        const std::u16string& name =
            card.formattedName.empty() ? card.structuredName : card.formattedName;
        const std::u16string_view kept = cutToWidth(name, kNameWidth);
        if (kept != name) {
            m_warnings.push_back(format(kVcardNameCutText, card.line, name, kept));
        }
        return name;
    }

    void ordinaryRows(const VcardCard& card, std::vector<TextRow>& rows) {
        const std::u16string name = contactName(card);
        bool first = true;
        for (const VcardNumber& number : card.numbers) {
            if (!acceptable(number.line, number.text, kNumberWidth)) {
                continue;
            }
            rows.push_back({first ? name : name + u'/' + number.kind->letter, number.text});
            first = false;
        }
        if (first && !name.empty()) {
            rows.push_back({name});
        }
    }

    void idenRow(const VcardCard& card, std::vector<TextRow>& rows) {
        TextRow row(kIdenCsvColumns.size());
        row[0] = contactName(card);
        for (const VcardNumber& number : card.numbers) {
            if (acceptable(number.line, number.text, entryValueWidth(number.kind->value) + 1)) {
                place(row, {number.line, number.kind->value, number.text},
                      {kValueOther, kValueMain});
            }
        }
        for (const VcardValue& value : card.idenValues) {
            place(row, value, {});
        }
        rows.push_back(std::move(row));
    }

    // Numbers in turn into the main number and the further ones, e-mail
    // addresses into the e-mail values, the nickname as the second name.
    void usimRow(const VcardCard& card, std::vector<TextRow>& rows) {
        const std::span<const AdditionalValue> extras = additionalValues(kBookUsim);
        TextRow row(2 + extras.size());
        row[0] = contactName(card);
        const auto put = [&](size_t line, const std::u16string& text, std::span<const int> values) {
            for (const int value : values) {
                const auto extra = std::find_if(extras.begin(), extras.end(),
                                                [&](const auto& e) { return e.value == value; });
                std::u16string& cell = value == kValueMain
                                           ? row[1]
                                           : row[2 + static_cast<size_t>(extra - extras.begin())];
                if (cell.empty()) {
                    cell = text;
                    return;
                }
            }
            m_warnings.push_back(format(kVcardNoPlaceText, line, text));
        };
        static constexpr std::array<int, 1 + kUsimNumberValues> kNumbers = {
            kValueMain,
            kUsimFirstNumberValue,
            kUsimFirstNumberValue + 1,
            kUsimFirstNumberValue + 2,
            kUsimFirstNumberValue + 3,
            kUsimFirstNumberValue + 4};
        for (const VcardNumber& number : card.numbers) {
            if (acceptable(number.line, number.text, kNumberWidth)) {
                put(number.line, number.text, kNumbers);
            }
        }
        for (const VcardValue& value : card.idenValues) {
            if (value.value == kValueEmail) {
                put(value.line, value.text, kUsimEmailValues);
            } else {
                m_warnings.push_back(format(kVcardNoPlaceText, value.line, value.text));
            }
        }
        if (!card.nickname.empty()) {
            put(card.line, card.nickname, std::span(&kUsimSecondNameValue, 1));
        }
        rows.push_back(std::move(row));
    }

private:
    std::vector<std::u16string>& m_warnings;

    bool acceptable(size_t line, const std::u16string& number, size_t width) {
        if (!consistsOf(number, kNumberCharacters)) {
            m_warnings.push_back(format(kVcardNotANumberText, line, number));
            return false;
        }
        const std::u16string_view kept = cutToWidth(number, width);
        if (kept != number) {
            m_warnings.push_back(format(kVcardNumberCutText, line, number, kept));
        }
        return true;
    }

    // Into the value's own column, else the first free of the fallbacks.
    void place(TextRow& row, const VcardValue& value, std::initializer_list<int> fallbacks) {
        const std::u16string_view kept = cutToWidth(value.text, entryValueWidth(value.value) + 1);
        if (!cardCanHold(kBookNextel, value.value, kept)) {
            m_warnings.push_back(format(kVcardNotAValueText, value.line, value.text));
            return;
        }
        std::vector<int> candidates{value.value};
        candidates.insert(candidates.end(), fallbacks.begin(), fallbacks.end());
        for (int candidate : candidates) {
            const auto column =
                std::find(kIdenCsvColumns.begin(), kIdenCsvColumns.end(), candidate);
            std::u16string& cell = row[static_cast<size_t>(column - kIdenCsvColumns.begin())];
            if (cell.empty()) {
                cell = value.text;
                return;
            }
        }
        m_warnings.push_back(format(kVcardNoPlaceText, value.line, value.text));
    }
};

void importInto(Category& book, std::span<const TextRow> rows,
                std::vector<std::u16string>& warnings) {
    // A file keeps what it holds, entries without a name too.
    const ImportRules rules{true, true, false};
    const size_t imported = RowImporter(book, rules).importRows(rows);
    if (imported < rows.size()) {
        warnings.push_back(
            velmet::langText(kVcardBookFullText, static_cast<int>(rows.size() - imported)));
    }
}

} // namespace

VcardDocument readVcard(std::span<const uint8_t> bytes, std::u16string_view name,
                        const PhoneBookFileOptions& options) {
    VcardDocument result;
    // Some address books of Windows write UTF-16 with a byte-order mark.
    std::string fromUtf16;
    if (bytes.size() >= 2 &&
        ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
        fromUtf16 = platform::toUtf8(decodeTextFile(bytes).text);
        bytes = std::span(reinterpret_cast<const uint8_t*>(fromUtf16.data()), fromUtf16.size());
    }
    const VcardLines lines = splitVcardLines(bytes);
    CardCollector collector;
    const VcardError* error = lines.error ? &*lines.error : nullptr;
    if (!error) {
        const bool taken = std::all_of(lines.properties.begin(), lines.properties.end(),
                                       [&](const VcardProperty& p) { return collector.take(p); });
        const size_t lastLine = lines.properties.empty() ? 1 : lines.properties.back().line;
        if (!taken || !collector.finish(lastLine)) {
            error = &collector.error();
        }
    }
    if (error) {
        result.error = format(error->text, error->line, platform::fromUtf8(error->detail));
        return result;
    }

    const std::vector<VcardCard>& cards = collector.cards();
    const bool iden = std::any_of(cards.begin(), cards.end(),
                                  [](const VcardCard& card) { return card.fromIdenBook; });
    RowBuilder builder(result.warnings);
    std::vector<TextRow> ordinaryRows;
    std::vector<TextRow> idenRows;
    std::vector<TextRow> usimRows;
    for (const VcardCard& card : cards) {
        if (card.fromUsimBook) {
            builder.usimRow(card, usimRows);
        } else if (card.fromIdenBook || (iden && !card.idenValues.empty())) {
            builder.idenRow(card, idenRows);
        } else {
            builder.ordinaryRows(card, ordinaryRows);
        }
    }

    result.document = std::make_unique<FileDocument>(name);
    FileDocument& document = *result.document;
    if (iden) {
        importInto(document.addCategory(kBookNextel, options.capacities.nextel), idenRows,
                   result.warnings);
    }
    importInto(document.addCategory(kBookAdn, options.capacities.adn), ordinaryRows,
               result.warnings);
    if (!usimRows.empty()) {
        importInto(document.addCategory(kBookUsim, options.capacities.usim), usimRows,
                   result.warnings);
    }
    document.markAllUnchanged();
    return result;
}

} // namespace pelmora::model
