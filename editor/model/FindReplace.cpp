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

// The entry with one matching field replaced; nothing when the card could
// not hold the result.
std::optional<PhoneBookEntry> withReplacedField(const Category& category, PhoneBookEntry updated,
                                                int field, const FieldMatcher& matcher,
                                                std::u16string_view replacement) {
    if (field == kNameField) {
        setFieldText(updated.name, *matcher.replace(fieldText(updated.name), replacement));
        return updated;
    }
    const std::u16string replaced = *matcher.replace(entryValue(updated, field), replacement);
    const std::u16string text(cutToWidth(replaced, entryValueWidth(field) + 1));
    if (!cardCanHold(category.kind(), field, text)) {
        return std::nullopt;
    }
    setEntryValue(updated, field, text);
    if (text.empty() && category.kind() == kBookNextel) {
        // A value that is gone no longer occupies its card record.
        updated.recordNumbers[field] = 0;
    }
    return updated;
}

std::optional<SmsEntry> withReplacedField(const SmsEntry& stored, int field,
                                          const FieldMatcher& matcher,
                                          std::u16string_view replacement) {
    const std::u16string text = *matcher.replace(messageField(stored, field), replacement);
    if (field != kMessageTextField && !consistsOf(text, kNumberCharacters)) {
        return std::nullopt;
    }
    // An edited message is stored as a new outgoing one: its texts only.
    SmsEntry updated{};
    setFieldText(updated.text, fieldText(stored.text));
    setFieldText(updated.address, fieldText(stored.address));
    setFieldText(updated.smsc, fieldText(stored.smsc));
    switch (field) {
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
    return updated;
}

bool replaceInEntry(Category& category, const SearchHit& hit, const FieldMatcher& matcher,
                    std::u16string_view replacement) {
    const std::optional<PhoneBookEntry> updated =
        withReplacedField(category, *category.entry(hit.slot), hit.field, matcher, replacement);
    if (!updated) {
        return false;
    }
    category.storeEntry(hit.slot, *updated);
    return true;
}

bool replaceInMessage(Category& category, const SearchHit& hit, const FieldMatcher& matcher,
                      std::u16string_view replacement) {
    const std::optional<SmsEntry> updated =
        withReplacedField(*category.message(hit.slot), hit.field, matcher, replacement);
    if (!updated) {
        return false;
    }
    category.storeMessage(hit.slot, *updated);
    return true;
}

// The record with every matching field replaced once; fields whose result the
// card could not hold keep their text and are counted.
PhoneBookEntry allFieldsReplaced(const Category& category, PhoneBookEntry updated,
                                 const FieldMatcher& matcher, std::u16string_view replacement,
                                 int& refused) {
    if (matcher.matches(fieldText(updated.name))) {
        updated = *withReplacedField(category, updated, kNameField, matcher, replacement);
    }
    for (int k : valueOrder(category)) {
        if (!matcher.matches(entryValue(updated, k))) {
            continue;
        }
        if (auto next = withReplacedField(category, updated, k, matcher, replacement)) {
            updated = *next;
        } else {
            ++refused;
        }
    }
    return updated;
}

SmsEntry allFieldsReplaced(SmsEntry updated, const FieldMatcher& matcher,
                           std::u16string_view replacement, int& refused) {
    for (int field : kMessageFields) {
        if (!matcher.matches(messageField(updated, field))) {
            continue;
        }
        if (auto next = withReplacedField(updated, field, matcher, replacement)) {
            updated = *next;
        } else {
            ++refused;
        }
    }
    return updated;
}

// Saves each slot before its first change, all in one undo group.
class OneUndoStep {
public:
    explicit OneUndoStep(Category& category) : m_category(category) {}
    void keep(int slot) {
        if (m_started) {
            m_category.snapshotIntoNewestGroup(slot);
        } else {
            m_category.snapshot(slot, Category::kNewGroup, slot);
            m_started = true;
        }
    }

private:
    Category& m_category;
    bool m_started = false;
};

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

namespace pelmora::model {

ReplaceAllResult replaceAll(Category& category, const SearchOptions& options,
                            std::u16string_view replacement, CategoryObserver* observer) {
    const FieldMatcher matcher(options);
    ReplaceAllResult result;
    OneUndoStep step(category);
    const int count = static_cast<int>(category.slotCount());
    for (int slot = 0; slot < count; ++slot) {
        if (PhoneBookEntry* entry = category.entry(slot)) {
            const PhoneBookEntry updated =
                allFieldsReplaced(category, *entry, matcher, replacement, result.refused);
            if (recordsDiffer(*entry, updated)) {
                step.keep(slot);
                *entry = updated;
                ++result.replaced;
            }
        } else if (SmsEntry* message = category.message(slot)) {
            const SmsEntry updated =
                allFieldsReplaced(*message, matcher, replacement, result.refused);
            if (recordsDiffer(*message, updated)) {
                step.keep(slot);
                *message = updated;
                ++result.replaced;
            }
        }
    }
    if (result.replaced > 0 && observer) {
        observer->refillEntries(category);
    }
    return result;
}

} // namespace pelmora::model
