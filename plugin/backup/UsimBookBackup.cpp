#include "backup/UsimBookBackup.h"

#include "backup/RecordKey.h"
#include "books/UsimBookReader.h"
#include "books/UsimBookWriter.h"
#include "card/CallOutcome.h"
#include "card/FileId.h"
#include "card/SIMCard.h"

#include "Log.h"

#include <string>

namespace brontel {
namespace {

using pelmora::platform::ProfileDocument;

constexpr std::u16string_view kSection = u"5F3A - 4F3A";
// The book's size when it was saved: an empty book saved still empties the card's.
constexpr std::u16string_view kEntriesKey = u"entries";
constexpr int kTextFields = 1 + kValueCount; // the name, then values 0 to 10

PhoneBookValueField textField(PhoneBookEntry& entry, int field) {
    return field == 0 ? PhoneBookValueField{entry.name, std::size(entry.name)}
                      : phoneBookValue(entry, field - 1);
}

// Entries of the card's book; nullopt for a card without one.
std::optional<int> cardEntries(SIMCard& card) {
    PhoneBookRequest request{};
    if (readUsimBook(card, request) == 0) {
        return std::nullopt;
    }
    return request.count;
}

} // namespace

std::vector<uint8_t> usimEntryBytes(const PhoneBookEntry& entry) {
    PhoneBookEntry copy = entry;
    std::vector<uint8_t> bytes;
    for (int field = 0; field < kTextFields; ++field) {
        const PhoneBookValueField text = textField(copy, field);
        size_t length = 0;
        while (length < text.capacity && text.text[length] != u'\0') {
            ++length;
        }
        bytes.push_back(static_cast<uint8_t>(length & 0xFF));
        bytes.push_back(static_cast<uint8_t>(length >> 8));
        for (size_t i = 0; i < length; ++i) {
            bytes.push_back(static_cast<uint8_t>(text.text[i] & 0xFF));
            bytes.push_back(static_cast<uint8_t>(text.text[i] >> 8));
        }
    }
    return bytes;
}

std::optional<PhoneBookEntry> usimEntryFromBytes(std::span<const uint8_t> bytes) {
    PhoneBookEntry entry{};
    size_t at = 0;
    for (int field = 0; field < kTextFields; ++field) {
        if (bytes.size() - at < 2) {
            return std::nullopt;
        }
        const size_t length = bytes[at] | (static_cast<size_t>(bytes[at + 1]) << 8);
        at += 2;
        const PhoneBookValueField text = textField(entry, field);
        if (length >= text.capacity || (bytes.size() - at) / 2 < length) {
            return std::nullopt;
        }
        for (size_t i = 0; i < length; ++i, at += 2) {
            text.text[i] = static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
        }
    }
    if (at != bytes.size()) {
        return std::nullopt;
    }
    return entry;
}

bool backupUsimBook(SIMCard& card, ProfileDocument& document, CallOutcome& outcome,
                    const BackupProgress& progress) {
    const std::optional<int> count = cardEntries(card);
    if (!count) {
        return false;
    }
    std::vector<PhoneBookEntry> entries(static_cast<size_t>(*count));
    PhoneBookRequest request{};
    request.entries = entries.data();
    request.count = *count;
    if (readUsimBook(card, request) == 0) {
        // A book read in part must not replace the one saved before.
        outcome.commandFailed(card);
        return true;
    }
    document.removeSection(kSection);
    const std::string size = std::to_string(*count);
    document.setValue(kSection, kEntriesKey, std::u16string(size.begin(), size.end()));
    for (int number = 1; number <= *count; ++number) {
        const PhoneBookEntry& entry = entries[static_cast<size_t>(number) - 1];
        if (entry.recordNumbers[0] != 0) {
            document.setStructValue(kSection, recordKey(number), usimEntryBytes(entry));
        }
        progress.recordDone(number, *count, FileId{kUsimPhoneBookId});
    }
    return true;
}

bool restoreUsimBook(SIMCard& card, const ProfileDocument& document, CallOutcome& outcome,
                     const BackupProgress& progress) {
    if (!document.value(kSection, kEntriesKey)) {
        return false;
    }
    const std::optional<int> count = cardEntries(card);
    if (!count) {
        outcome.commandFailed(card);
        return true;
    }
    std::vector<PhoneBookEntry> entries(static_cast<size_t>(*count));
    for (const std::u16string& key : document.keyNames(kSection)) {
        if (key == kEntriesKey) {
            continue;
        }
        const auto stored = document.structValue(kSection, key);
        const auto entry = stored ? usimEntryFromBytes(*stored) : std::nullopt;
        int number = 0;
        for (const char16_t c : key) {
            number = c >= u'0' && c <= u'9' && number < 10000 ? number * 10 + (c - u'0') : -1;
            if (number < 0) {
                break;
            }
        }
        if (!entry || number < 1 || number > *count) {
            // Writing the rest would empty the entry this value held: the
            // card's book stays as it is.
            pelmora::log::log_message(pelmora::log::kWarning, "restore_sim",
                                      "USIM book entry %d: value not usable", number);
            outcome.valueDidNotFit();
            return true;
        }
        entries[static_cast<size_t>(number) - 1] = *entry;
        entries[static_cast<size_t>(number) - 1].recordNumbers[0] = number;
    }
    PhoneBookRequest request{};
    request.entries = entries.data();
    request.count = *count;
    if (writeUsimBook(card, request) == 0) {
        outcome.commandFailed(card);
    }
    for (int number = 1; number <= *count; ++number) {
        progress.recordDone(number, *count, FileId{kUsimPhoneBookId});
    }
    return true;
}

} // namespace brontel
