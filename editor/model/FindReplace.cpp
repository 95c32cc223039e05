#include "FindReplace.h"

#include "Category.h"
#include "CategoryObserver.h"
#include "FieldRules.h"
#include "Records.h"
#include "SpeedDialNumbers.h"

#include <array>
#include <span>

namespace pelmora::model {

namespace {

constexpr std::array<int, 1> kOrdinaryValues = {kValueMain};
constexpr std::array<int, 3> kMessageFields = {kMessageTextField, kMessageAddressField,
                                               kMessageServiceCentreField};

std::span<const int> valueOrder(const Category& category) {
    return category.kind() == kBookNextel ? std::span<const int>(kPanelValueOrder)
                                          : std::span<const int>(kOrdinaryValues);
}

std::u16string_view messageField(const SmsEntry& message, int field) {
    switch (field) {
    case kMessageTextField:
        return fieldText(message.text);
    case kMessageAddressField:
        return fieldText(message.address);
    default:
        return fieldText(message.smsc);
    }
}

std::optional<int> matchingField(const Category& category, int slot, const FieldMatcher& m) {
    if (const PhoneBookEntry* entry = category.entry(slot)) {
        if (m.matches(fieldText(entry->name))) {
            return kNameField;
        }
        for (int k : valueOrder(category)) {
            if (m.matches(entryValue(*entry, k))) {
                return k;
            }
        }
    } else if (const SmsEntry* message = category.message(slot)) {
        for (int field : kMessageFields) {
            if (m.matches(messageField(*message, field))) {
                return field;
            }
        }
    }
    return std::nullopt;
}

std::optional<SearchHit> search(const Category& category, const FieldMatcher& matcher) {
    const int count = static_cast<int>(category.slotCount());
    const int start = category.searchPosition();
    for (int from : {start, 0}) {
        for (int slot = from; slot < count; ++slot) {
            if (std::optional<int> field = matchingField(category, slot, matcher)) {
                return SearchHit{slot, *field};
            }
        }
        if (start == 0) {
            break;
        }
    }
    return std::nullopt;
}

std::optional<SearchHit> findAndSelect(Category& category, const SearchOptions& options,
                                       CategoryObserver* observer) {
    const FieldMatcher matcher(options);
    std::optional<SearchHit> hit = search(category, matcher);
    if (hit) {
        category.setSearchPosition(hit->slot + 1);
        if (observer) {
            observer->selectSlots(category, std::span<const int>(&hit->slot, 1));
        }
    }
    return hit;
}

bool replaceInEntry(Category& category, const SearchHit& hit, const FieldMatcher& matcher,
                    std::u16string_view replacement) {
    PhoneBookEntry updated = *category.entry(hit.slot);
    if (hit.field == kNameField) {
        setFieldText(updated.name, *matcher.replace(fieldText(updated.name), replacement));
        category.storeEntry(hit.slot, updated);
        return true;
    }
    const std::u16string replaced = *matcher.replace(entryValue(updated, hit.field), replacement);
    const std::u16string text(cutToWidth(replaced, entryValueWidth(hit.field) + 1));
    if (!cardCanHold(category.kind(), hit.field, text)) {
        return false;
    }
    setEntryValue(updated, hit.field, text);
    if (text.empty() && category.kind() == kBookNextel) {
        // A value that is gone no longer occupies its card record.
        updated.recordNumbers[hit.field] = 0;
    }
    category.storeEntry(hit.slot, updated);
    return true;
}

bool replaceInMessage(Category& category, const SearchHit& hit, const FieldMatcher& matcher,
                      std::u16string_view replacement) {
    const SmsEntry& stored = *category.message(hit.slot);
    const std::u16string text = *matcher.replace(messageField(stored, hit.field), replacement);
    if (hit.field != kMessageTextField && !consistsOf(text, kNumberCharacters)) {
        return false;
    }
    // An edited message is stored as a new outgoing one: its texts only.
    SmsEntry updated{};
    setFieldText(updated.text, fieldText(stored.text));
    setFieldText(updated.address, fieldText(stored.address));
    setFieldText(updated.smsc, fieldText(stored.smsc));
    switch (hit.field) {
    case kMessageTextField:
        setFieldText(updated.text, text);
        break;
    case kMessageAddressField:
        setFieldText(updated.address, text);
        break;
    default:
        setFieldText(updated.smsc, text);
        break;
    }
    updated.flags = static_cast<int32_t>(kSmsChanged);
    category.storeMessage(hit.slot, updated);
    return true;
}

} // namespace

std::optional<SearchHit> findNext(Category& category, const SearchOptions& options,
                                  CategoryObserver* observer) {
    return findAndSelect(category, options, observer);
}

ReplaceResult replaceNext(Category& category, const SearchOptions& options,
                          std::u16string_view replacement, CategoryObserver* observer) {
    const std::optional<SearchHit> hit = findAndSelect(category, options, observer);
    if (!hit) {
        return ReplaceResult::NotFound;
    }
    const FieldMatcher matcher(options);
    const bool done = category.isMessages() ? replaceInMessage(category, *hit, matcher, replacement)
                                            : replaceInEntry(category, *hit, matcher, replacement);
    if (!done) {
        return ReplaceResult::Refused;
    }
    if (observer) {
        observer->refillEntries(category);
        observer->selectSlots(category, std::span<const int>(&hit->slot, 1));
    }
    return ReplaceResult::Replaced;
}

} // namespace pelmora::model
