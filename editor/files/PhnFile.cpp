#include "PhnFile.h"

#include "AdditionalValues.h"
#include "Category.h"
#include "FieldRules.h"
#include "FileDocument.h"
#include "FileTime.h"
#include "LangText.h"
#include "Records.h"
#include "SpeedDialNumbers.h"
#include "Utf16Bytes.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>

namespace pelmora::model {

namespace {

// Keys of an entry's values: the number ("t") and the iDEN values.
struct ValueKey {
    char16_t letter;
    int value;
};
constexpr std::array<ValueKey, 11> kIdenKeys = {{{u't', kValueMain},
                                                 {u'm', kValueMobile},
                                                 {u'h', kValueHome},
                                                 {u'w', kValueWork},
                                                 {u'f', kValueFax},
                                                 {u'p', kValuePager},
                                                 {u'o', kValueOther},
                                                 {u'e', kValueEmail},
                                                 {u'i', kValueChatAddress},
                                                 {u'd', kValuePrivateId},
                                                 {u'g', kValueTalkgroup}}};

// Message text: the first 80 units as a 160-byte struct, which other
// readers of the format expect, and the whole text under a key of its own.
constexpr size_t kShortTextUnits = 80;
constexpr std::u16string_view kWholeTextKey = u"text";

std::u16string key(std::u16string_view prefix, uint32_t number) {
    std::u16string k(prefix);
    for (char c : std::to_string(number)) {
        k.push_back(static_cast<char16_t>(c));
    }
    return k;
}

std::u16string key(char16_t letter, uint32_t number) {
    return key(std::u16string_view(&letter, 1), number);
}

// Profile values lose surrounding blanks and one pair of enclosing quotes
// when read; quoting such a value keeps it whole. A line break is written as
// a blank, so it counts as one.
std::u16string profileValue(std::u16string_view text) {
    auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    const bool quoted = text.size() >= 2 && text.front() == text.back() &&
                        (text.front() == u'"' || text.front() == u'\'');
    if (!text.empty() && (blank(text.front()) || blank(text.back()) || quoted)) {
        return u"\"" + std::u16string(text) + u"\"";
    }
    return std::u16string(text);
}

// Key of an iDEN entry's speed-dial numbers: each value's key letter and its
// number ("t1,w5"), so that a book read back keeps every value on its record.
constexpr char16_t kRecordNumbersKey = u'r';

std::u16string recordNumbersValue(const PhoneBookEntry& entry) {
    std::u16string text;
    for (const ValueKey& vk : kIdenKeys) {
        const int32_t number = entry.recordNumbers[vk.value];
        if (number > 0 && !entryValue(entry, vk.value).empty()) {
            text += (text.empty() ? u"" : u",") + key(vk.letter, static_cast<uint32_t>(number));
        }
    }
    return text;
}

// The numbers of a "r" key by value index (0: none); nothing for text of any
// other form.
std::optional<std::array<int, kRecordNumberCount>> parseRecordNumbers(std::u16string_view text) {
    std::array<int, kRecordNumberCount> numbers{};
    while (!text.empty()) {
        const size_t end = std::min(text.find(u','), text.size());
        const std::u16string_view pair = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const auto vk = std::find_if(kIdenKeys.begin(), kIdenKeys.end(), [&](const ValueKey& k) {
            return !pair.empty() && k.letter == pair.front();
        });
        if (vk == kIdenKeys.end() || pair.size() < 2 || pair.size() > 6) {
            return std::nullopt;
        }
        int number = 0;
        for (char16_t c : pair.substr(1)) {
            if (c < u'0' || c > u'9') {
                return std::nullopt;
            }
            number = number * 10 + (c - u'0');
        }
        numbers[static_cast<size_t>(vk->value)] = number;
    }
    return numbers;
}

void writePhoneBook(platform::ProfileDocument& profile, const std::u16string& section,
                    const Category& book) {
    const bool iden = book.kind() == kBookNextel;
    uint32_t j = 0;
    for (const PhoneBookEntry& entry : book.entries()) {
        ++j;
        const std::u16string_view name = fieldText(entry.name);
        profile.setValue(section, key(u'n', j), profileValue(name));
        if (const std::u16string numbers = iden ? recordNumbersValue(entry) : u"";
            !numbers.empty()) {
            profile.setValue(section, key(kRecordNumbersKey, j), numbers);
        }
        for (const ValueKey& vk : kIdenKeys) {
            if (!iden && vk.value != kValueMain) {
                break;
            }
            const std::u16string_view value = entryValue(entry, vk.value);
            profile.setValue(section, key(vk.letter, j), profileValue(value));
        }
        for (const AdditionalValue& extra : additionalValues(book.kind())) {
            profile.setValue(section, key(extra.phnKey, j),
                             profileValue(entryValue(entry, extra.value)));
        }
    }
}

void writeMessages(platform::ProfileDocument& profile, const std::u16string& section,
                   const Category& book) {
    uint32_t j = 0;
    for (const SmsEntry& message : book.messages()) {
        ++j;
        profile.setValue(section, key(u't', j), profileValue(fieldText(message.address)));
        profile.setValue(section, key(u's', j), profileValue(fieldText(message.smsc)));
        const auto ticks = platform::systemTimeToFileTime(message.timestamp);
        const std::string stamp = std::to_string(ticks ? *ticks : 0);
        profile.setValue(section, key(u'd', j), std::u16string(stamp.begin(), stamp.end()));
        const std::u16string_view text = fieldText(message.text);
        profile.setStructValue(section, key(u'm', j),
                               utf16LittleEndianBytes({message.text, kShortTextUnits}));
        if (text.size() > kShortTextUnits) {
            profile.setStructValue(section, key(kWholeTextKey, j), utf16LittleEndianBytes(text));
        }
    }
}

// Number of entries: keys prefix1, prefix2, ... up to the first missing one.
uint32_t countEntries(const platform::ProfileDocument& profile, const std::u16string& section,
                      char16_t prefix) {
    uint32_t count = 0;
    while (count < Category::kMaxSlots && profile.value(section, key(prefix, count + 1))) {
        ++count;
    }
    return count;
}

std::u16string valueOf(const platform::ProfileDocument& profile, const std::u16string& section,
                       const std::u16string& k) {
    return profile.value(section, k).value_or(std::u16string());
}

// An iDEN value as a .phn entry gives it: "" when the card could not hold it.
std::u16string idenValue(const platform::ProfileDocument& profile, const std::u16string& section,
                         const ValueKey& vk, uint32_t j) {
    const std::u16string raw = valueOf(profile, section, key(vk.letter, j));
    std::u16string value(cutToWidth(raw, entryValueWidth(vk.value) + 1));
    return fitsCardLimits(kBookNextel, vk.value, value) ? value : u"";
}

// The speed-dial numbers the file stored for each entry's values, each taken
// in numbers; a number outside the book, or given twice, is left out.
std::vector<std::array<int, kRecordNumberCount>>
storedRecordNumbers(const platform::ProfileDocument& profile, const std::u16string& section,
                    uint32_t count, SpeedDialNumbers& numbers) {
    std::vector<std::array<int, kRecordNumberCount>> stored(count);
    for (uint32_t j = 1; j <= count; ++j) {
        const auto given = parseRecordNumbers(valueOf(profile, section, key(kRecordNumbersKey, j)));
        for (const ValueKey& vk : kIdenKeys) {
            const int number = given ? (*given)[static_cast<size_t>(vk.value)] : 0;
            if (number != 0 && numbers.isFree(number) &&
                !idenValue(profile, section, vk, j).empty()) {
                numbers.take(number);
                stored[j - 1][static_cast<size_t>(vk.value)] = number;
            }
        }
    }
    return stored;
}

void readPhoneBook(const platform::ProfileDocument& profile, const std::u16string& section,
                   Category& book) {
    const bool iden = book.kind() == kBookNextel;
    SpeedDialNumbers numbers(book.slotCount());
    const uint32_t count = book.slotCount();
    const auto stored = iden ? storedRecordNumbers(profile, section, count, numbers)
                             : std::vector<std::array<int, kRecordNumberCount>>{};
    for (uint32_t j = 1; j <= count; ++j) {
        PhoneBookEntry& entry = *book.entry(static_cast<int>(j - 1));
        setFieldText(entry.name, valueOf(profile, section, key(u'n', j)));
        if (!iden) {
            setFieldText(entry.value0, valueOf(profile, section, key(u't', j)));
            for (const AdditionalValue& extra : additionalValues(book.kind())) {
                const std::u16string raw = valueOf(profile, section, key(extra.phnKey, j));
                setEntryValue(entry, extra.value, cutToWidth(raw, entryValueWidth(extra.value) + 1));
            }
            continue;
        }
        for (const ValueKey& vk : kIdenKeys) {
            const std::u16string value = idenValue(profile, section, vk, j);
            if (value.empty()) {
                continue;
            }
            int number = stored[j - 1][static_cast<size_t>(vk.value)];
            if (number == 0) {
                number = numbers.takeLowest();
            }
            // Every value needs a card record of its own: the book grows for it.
            if (number == 0 && book.grow(book.slotCount() + 1)) {
                numbers.grow(book.slotCount());
                number = numbers.takeLowest();
            }
            if (number == 0) {
                continue;
            }
            PhoneBookEntry& target = *book.entry(static_cast<int>(j - 1));
            setEntryValue(target, vk.value, value);
            target.recordNumbers[vk.value] = number;
        }
    }
}

void readMessages(const platform::ProfileDocument& profile, const std::u16string& section,
                  Category& book) {
    const uint32_t count = book.slotCount();
    for (uint32_t j = 1; j <= count; ++j) {
        SmsEntry& message = *book.message(static_cast<int>(j - 1));
        if (auto whole = profile.structValue(section, key(kWholeTextKey, j))) {
            setFieldText(message.text, utf16FromBytes(*whole, true));
        } else if (auto start = profile.structValue(section, key(u'm', j), kShortTextUnits * 2)) {
            setFieldText(message.text, utf16FromBytes(*start, true).substr(0, kShortTextUnits));
        }
        setFieldText(message.smsc, valueOf(profile, section, key(u's', j)));
        setFieldText(message.address, valueOf(profile, section, key(u't', j)));
        const std::u16string stamp = valueOf(profile, section, key(u'd', j));
        uint64_t ticks = 0;
        bool digits = !stamp.empty() && stamp.size() <= 19;
        for (char16_t c : stamp) {
            digits = digits && c >= u'0' && c <= u'9';
            ticks = digits ? ticks * 10 + static_cast<uint64_t>(c - u'0') : 0;
        }
        if (digits && ticks != 0) {
            if (auto time = platform::fileTimeToSystemTime(ticks)) {
                message.timestamp = *time;
            }
        }
    }
}

} // namespace

PhnContent writePhn(const Document& document, const PhoneBookFileOptions&) {
    PhnContent content;
    content.profile.setEncoding(platform::TextEncoding::Utf16LE);
    for (const std::unique_ptr<Category>& book : document.categories()) {
        if (book->slotCount() == 0) {
            continue;
        }
        const std::u16string section = bookSectionName(book->kind());
        if (book->isPhoneBook()) {
            writePhoneBook(content.profile, section, *book);
        } else if (book->isMessages()) {
            writeMessages(content.profile, section, *book);
        } else {
            continue;
        }
        content.books.push_back(book.get());
    }
    if (content.books.empty()) {
        // A document without entries still saves as a phone-book file, so
        // that it opens again: the empty section of the phone book marks it.
        const std::u16string section = bookSectionName(kBookAdn);
        content.profile.setValue(section, key(u'n', 1), u"");
        content.profile.removeKey(section, key(u'n', 1));
    }
    return content;
}

std::optional<std::u16string> phnContentFault(const platform::ProfileDocument& profile,
                                              std::u16string_view file) {
    for (uint16_t kind : kBookFileOrder) {
        const std::u16string section = bookSectionName(kind);
        if (!profile.hasSection(section)) {
            continue;
        }
        const bool messages = isMessageKind(kind);
        const char16_t first = messages ? u'm' : u'n';
        uint32_t count = countEntries(profile, section, first);
        if (count == Category::kMaxSlots && profile.value(section, key(first, count + 1))) {
            while (profile.value(section, key(first, count + 1))) {
                ++count;
            }
            return velmet::langText(457, file, count, bookCaption(kind), Category::kMaxSlots);
        }
        if (messages) {
            continue;
        }
        // Every entry is written with all its keys, the last one last.
        const auto extras = additionalValues(kind);
        const char16_t last = kind == kBookNextel ? kIdenKeys.back().letter
                              : extras.empty()    ? u't'
                                                  : extras.back().phnKey;
        for (uint32_t j = 1; j <= count; ++j) {
            const std::u16string missing = key(last, j);
            if (!profile.value(section, missing)) {
                return velmet::langText(454, file, j, section, missing);
            }
        }
    }
    return std::nullopt;
}

bool holdsPhoneBooks(const platform::ProfileDocument& profile) {
    return std::any_of(kBookFileOrder.begin(), kBookFileOrder.end(),
                       [&](uint16_t kind) { return profile.hasSection(bookSectionName(kind)); });
}

std::unique_ptr<FileDocument> readPhn(const platform::ProfileDocument& profile,
                                      std::u16string_view name, const PhoneBookFileOptions&) {
    if (!holdsPhoneBooks(profile)) {
        return nullptr;
    }
    auto document = std::make_unique<FileDocument>(name);
    for (uint16_t kind : kBookFileOrder) {
        const std::u16string section = bookSectionName(kind);
        const bool messages = isMessageKind(kind);
        const uint32_t count = countEntries(profile, section, messages ? u'm' : u'n');
        if (count == 0) {
            continue;
        }
        Category& book = document->addCategory(kind, count);
        if (messages) {
            readMessages(profile, section, book);
        } else {
            readPhoneBook(profile, section, book);
        }
        book.markUnchanged();
    }
    return document;
}

} // namespace pelmora::model
