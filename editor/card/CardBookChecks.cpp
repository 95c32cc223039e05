#include "CardBookChecks.h"

#include "AdditionalValues.h"
#include "Records.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace pelmora::model {

// The card's book of this kind; nothing when the card does not give it in full.
std::optional<std::vector<PhoneBookEntry>> readCardBook(const PluginCalls& calls,
                                                        CardDocument& card, uint16_t kind) {
    PhoneBookRequest size{};
    if (calls.readPhoneBook(card, kind, size) == 0) {
        return std::nullopt;
    }
    std::vector<PhoneBookEntry> entries(
        static_cast<size_t>(std::clamp<int32_t>(size.count, 0, Category::kMaxSlots)));
    if (entries.empty()) {
        return entries;
    }
    PhoneBookRequest full{};
    full.entries = entries.data();
    full.count = static_cast<int32_t>(entries.size());
    if (calls.readPhoneBook(card, kind, full) == 0) {
        return std::nullopt;
    }
    return entries;
}

uint32_t cardValuesWithoutRoom(const PluginCalls& calls, CardDocument& card, uint16_t kind) {
    if (additionalValues(kind).empty()) {
        return 0;
    }
    PhoneBookRequest description{};
    if (calls.readPhoneBook(card, kind, description) == 0) {
        return 0;
    }
    return static_cast<uint32_t>(description.unused);
}

namespace {

// Name and values of each used entry, in order.
std::vector<std::u16string> usedEntries(std::span<const PhoneBookEntry> entries) {
    std::vector<std::u16string> used;
    for (const PhoneBookEntry& e : entries) {
        if (isEmptyRecord(e)) {
            continue;
        }
        std::u16string text(fieldText(e.name));
        for (int k = 0; k < kValueCount; ++k) {
            text.append(1, u'\0').append(entryValue(e, k));
        }
        used.push_back(std::move(text));
    }
    return used;
}

} // namespace

bool holdsNoEntry(const Category& book) {
    if (!book.isPhoneBook()) {
        return false;
    }
    for (int slot = 0; slot < static_cast<int>(book.slotCount()); ++slot) {
        if (!book.isEmpty(slot)) {
            return false;
        }
    }
    return true;
}

bool cardBookHoldsEntries(const PluginCalls& calls, CardDocument& card, uint16_t kind) {
    const auto entries = readCardBook(calls, card, kind);
    return !entries || std::any_of(entries->begin(), entries->end(),
                                   [](const PhoneBookEntry& e) { return !isEmptyRecord(e); });
}

bool differsFromCardBook(const PluginCalls& calls, CardDocument& card, const Category& book) {
    if (!book.isPhoneBook()) {
        return true;
    }
    const auto entries = readCardBook(calls, card, book.kind());
    return !entries || usedEntries(*entries) != usedEntries(book.entries());
}

} // namespace pelmora::model
