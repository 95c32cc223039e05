#include "ColumnSort.h"

#include "Category.h"
#include "CategoryObserver.h"
#include "Records.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace pelmora::model {

namespace {

std::u16string_view sortKey(const PhoneBookEntry& entry, SortColumn column) {
    return column == SortColumn::Name ? fieldText(entry.name) : fieldText(entry.value0);
}

// Moves the records so that position i of the used slots receives the record
// that stood at position from[i], following each cycle with one spare record.
void permute(std::span<PhoneBookEntry> entries, const std::vector<int>& used,
             const std::vector<size_t>& from) {
    std::vector<bool> done(from.size(), false);
    for (size_t start = 0; start < from.size(); ++start) {
        if (done[start] || from[start] == start) {
            continue;
        }
        PhoneBookEntry spare = entries[static_cast<size_t>(used[start])];
        size_t j = start;
        while (true) {
            done[j] = true;
            const size_t k = from[j];
            if (k == start) {
                entries[static_cast<size_t>(used[j])] = spare;
                break;
            }
            entries[static_cast<size_t>(used[j])] = entries[static_cast<size_t>(used[k])];
            j = k;
        }
    }
}

} // namespace

SortResult sortByColumn(Category& category, SortColumn column, CategoryObserver* observer) {
    if (!category.isPhoneBook() || category.slotCount() == 0) {
        return SortResult::NotSorted;
    }
    std::span<PhoneBookEntry> entries = category.entries();
    std::vector<int> used;
    for (int slot = 0; slot < static_cast<int>(entries.size()); ++slot) {
        if (!category.isEmpty(slot)) {
            used.push_back(slot);
        }
    }
    // The keys are found once: each comparison then reads two views instead
    // of searching two 2-KB records for their text's end.
    std::vector<std::u16string_view> keys;
    keys.reserve(used.size());
    for (const int slot : used) {
        keys.push_back(sortKey(entries[static_cast<size_t>(slot)], column));
    }
    auto key = [&](size_t position) { return keys[position]; };
    bool ascending = true;
    for (size_t i = 1; i < used.size() && ascending; ++i) {
        ascending = !(key(i) < key(i - 1));
    }

    // Empty slots keep their places, so only the span of used slots can change.
    if (used.empty()) {
        category.snapshot(0, Category::kNewGroup, 0);
    } else {
        category.snapshot(used.front(), Category::kNewGroup, used.back());
    }
    std::vector<size_t> from(used.size());
    for (size_t i = 0; i < from.size(); ++i) {
        from[i] = i;
    }
    if (ascending) {
        std::stable_sort(from.begin(), from.end(),
                         [&](size_t a, size_t b) { return key(b) < key(a); });
    } else {
        std::stable_sort(from.begin(), from.end(),
                         [&](size_t a, size_t b) { return key(a) < key(b); });
    }
    permute(entries, used, from);
    if (!used.empty()) {
        category.notifySlotsChanged(used.front(), used.back());
    }

    if (observer) {
        observer->refillEntries(category);
    }
    return ascending ? SortResult::Descending : SortResult::Ascending;
}

} // namespace pelmora::model
