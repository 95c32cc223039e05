#include "RowEditing.h"

#include "Category.h"
#include "CategoryObserver.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace pelmora::model {

namespace {

// The selection as sorted, distinct slots of the category.
std::vector<int> validSlots(const Category& category, std::span<const int> selected) {
    std::vector<int> slots;
    slots.reserve(selected.size());
    for (int slot : selected) {
        if (category.hasSlot(slot)) {
            slots.push_back(slot);
        }
    }
    std::sort(slots.begin(), slots.end());
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
    return slots;
}

void deleteEntries(Category& category, const std::vector<int>& slots, bool simWithoutHoles) {
    int first = slots.front();
    int last = slots.back();
    if (simWithoutHoles) {
        // Compaction moves entries into every gap, including gaps before the
        // first selected row, and at most up to the last used slot.
        for (int slot = 0; slot < first; ++slot) {
            if (category.isEmpty(slot)) {
                first = slot;
                break;
            }
        }
        last = category.lastUsedSlot();
    }
    category.snapshot(first, Category::kNewGroup, last);
    for (int slot : slots) {
        *category.entry(slot) = PhoneBookEntry{};
    }
    category.notifySlotsChanged(slots.front(), slots.back());
    if (simWithoutHoles) {
        category.compact();
    }
}

void deleteMessages(Category& category, const std::vector<int>& slots) {
    for (int slot : slots) {
        if (category.isEmpty(slot)) {
            continue;
        }
        SmsEntry* message = category.message(slot);
        message->flags =
            static_cast<int32_t>(static_cast<uint32_t>(message->flags) | kSmsChanged | kSmsDeleted);
        category.notifySlotsChanged(slot, slot);
        category.markChanged();
    }
}

} // namespace

bool deleteRows(Category& category, std::span<const int> selectedSlots, bool simWithoutHoles,
                CategoryObserver* observer) {
    const std::vector<int> slots = validSlots(category, selectedSlots);
    if (slots.empty()) {
        return false;
    }
    if (category.isPhoneBook()) {
        deleteEntries(category, slots, simWithoutHoles);
    } else if (category.isMessages()) {
        deleteMessages(category, slots);
    } else {
        return false;
    }
    if (observer) {
        observer->refillEntries(category);
    }
    return true;
}

int moveRows(Category& category, std::span<const int> selectedSlots, MoveDirection direction,
             bool simWithoutHoles, CategoryObserver* observer) {
    if (!category.isPhoneBook()) {
        return 0;
    }
    const int n = static_cast<int>(category.slotCount());
    std::vector<bool> selected(static_cast<size_t>(n), false);
    for (int slot : validSlots(category, selectedSlots)) {
        selected[static_cast<size_t>(slot)] = true;
    }
    const bool up = direction == MoveDirection::Up;
    std::vector<int> movedTo;
    for (int i = 0; i < n; ++i) {
        const int d = up ? i : n - 1 - i;
        if (!selected[static_cast<size_t>(d)] || category.isEmpty(d)) {
            continue;
        }
        // Moving the last entry down would open a hole before it.
        if (!up && simWithoutHoles && d == category.lastUsedSlot()) {
            continue;
        }
        const int target = up ? d - 1 : d + 1;
        if (target < 0 || target >= n) {
            break;
        }
        category.snapshot(std::min(d, target), Category::kNewGroup, std::max(d, target));
        std::swap(*category.entry(d), *category.entry(target));
        category.notifySlotsChanged(std::min(d, target), std::max(d, target));
        movedTo.push_back(target);
    }
    if (!movedTo.empty() && observer) {
        std::sort(movedTo.begin(), movedTo.end());
        observer->refillEntries(category);
        observer->selectSlots(category, movedTo);
    }
    return static_cast<int>(movedTo.size());
}

void restoreDeletedMessages(Category& category, std::span<const int> selectedSlots,
                            CategoryObserver* observer) {
    if (!category.isMessages()) {
        return;
    }
    for (int slot : validSlots(category, selectedSlots)) {
        category.restoreDeletedMessage(slot);
    }
    if (observer) {
        observer->refillEntries(category);
    }
}

} // namespace pelmora::model
