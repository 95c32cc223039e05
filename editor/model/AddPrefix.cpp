#include "AddPrefix.h"

#include "Category.h"
#include "CategoryObserver.h"
#include "Records.h"

#include <algorithm>
#include <vector>

namespace pelmora::model {

namespace {

constexpr size_t kMaxRemovable = 61;
constexpr std::u16string_view kPrefixDigits = u"0123456789*#";

// Selected slots whose entry has a number, in slot order.
std::vector<int> numberedSlots(const Category& category, std::span<const int> selected) {
    std::vector<int> slots;
    for (int slot : selected) {
        const PhoneBookEntry* entry = category.entry(slot);
        if (entry != nullptr && !fieldText(entry->value0).empty()) {
            slots.push_back(slot);
        }
    }
    std::sort(slots.begin(), slots.end());
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
    return slots;
}

} // namespace

size_t addPrefixLimit(const Category& category, std::span<const int> selectedSlots) {
    size_t limit = kMaxRemovable;
    bool any = false;
    for (int slot : numberedSlots(category, selectedSlots)) {
        limit = std::min(limit, fieldText(category.entry(slot)->value0).size());
        any = true;
    }
    return any ? limit : 0;
}

bool isValidPrefix(std::u16string_view prefix) {
    if (!prefix.empty() && prefix.front() == u'+') {
        prefix.remove_prefix(1);
    }
    return prefix.find_first_not_of(kPrefixDigits) == std::u16string_view::npos;
}

FilteredText filterPrefix(std::u16string_view text, size_t selectionStart) {
    const size_t plus = text.starts_with(u'+') ? 1 : 0;
    FilteredText rest = filterCharacters(text.substr(plus), kPrefixDigits,
                                         selectionStart > plus ? selectionStart - plus : 0);
    if (plus != 0) {
        rest.text.insert(rest.text.begin(), u'+');
        rest.caret += plus;
    }
    return rest;
}

bool addPrefix(Category& category, std::span<const int> selectedSlots, std::u16string_view prefix,
               size_t removeCount, CategoryObserver* observer) {
    if (!category.isPhoneBook()) {
        return false;
    }
    prefix = prefix.substr(0, kMaxPrefixLength);
    if (!isValidPrefix(prefix)) {
        return false;
    }
    const std::vector<int> slots = numberedSlots(category, selectedSlots);
    if (slots.empty()) {
        return false;
    }
    removeCount = std::min(removeCount, addPrefixLimit(category, selectedSlots));
    if (prefix.empty() && removeCount == 0) {
        return false;
    }
    category.snapshot(slots.front(), Category::kNewGroup, slots.back());
    for (int slot : slots) {
        category.replaceNumberStart(slot, prefix, removeCount);
    }
    if (observer) {
        observer->refillEntries(category);
    }
    return true;
}

} // namespace pelmora::model
