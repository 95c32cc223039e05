#include "EntryDialogOpener.h"

#include "Category.h"

namespace pelmora::model {

namespace {

constexpr int kAddTitleText = 43;
constexpr int kEditTitleText = 145;
constexpr int kEditIdenTitleText = 146;

int firstEmptySlot(const Category& category) {
    for (int slot = 0; slot < static_cast<int>(category.slotCount()); ++slot) {
        if (category.isEmpty(slot)) {
            return slot;
        }
    }
    return -1;
}

} // namespace

EntryDialogOpening openEntryDialog(Category& category, int slot, bool mayGrow) {
    EntryDialogOpening opening;
    const bool adding = slot < 0;
    if (adding) {
        slot = firstEmptySlot(category);
        if (slot < 0) {
            const uint32_t count = category.slotCount();
            if (!mayGrow || count >= Category::kMaxSlots || !category.grow(count + 1)) {
                opening.messageText = kBookFullText;
                return opening;
            }
            slot = static_cast<int>(count);
        }
    } else if (!category.hasSlot(slot)) {
        return opening;
    }
    if (!category.isPhoneBook()) {
        return opening;
    }
    const bool iden = category.kind() == kBookNextel;
    opening.dialog = iden ? EntryDialogKind::Iden : EntryDialogKind::Simple;
    opening.slot = slot;
    opening.addIcon = adding;
    opening.titleText = adding ? kAddTitleText : iden ? kEditIdenTitleText : kEditTitleText;
    return opening;
}

std::vector<int> entryPositions(const Category& category, int slot) {
    std::vector<int> positions;
    if (!category.hasSlot(slot)) {
        return positions;
    }
    positions.push_back(slot);
    for (int other = 0; other < static_cast<int>(category.slotCount()); ++other) {
        if (other != slot && category.isEmpty(other)) {
            positions.push_back(other);
        }
    }
    return positions;
}

} // namespace pelmora::model
