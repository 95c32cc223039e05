#include "EntryDialogOk.h"

#include "Category.h"
#include "Records.h"
#include "SpeedDialNumbers.h"

namespace pelmora::model {

namespace {

PhoneBookEntry entryFromFields(const Category& category, int slot,
                               const EntryDialogFields& fields) {
    PhoneBookEntry entry = *category.entry(slot);
    setFieldText(entry.name, fields.name);
    if (category.kind() != kBookNextel) {
        setFieldText(entry.value0, fields.values[kValueMain]);
        return entry;
    }
    for (int k = 0; k < kValueCount; ++k) {
        setEntryValue(entry, k, fields.values[static_cast<size_t>(k)]);
        const int64_t number = parseSpeedDialBox(fields.speedDials[static_cast<size_t>(k)]);
        entry.recordNumbers[k] =
            number > 0 && number <= INT32_MAX ? static_cast<int32_t>(number) : 0;
    }
    return entry;
}

} // namespace

EntryDialogResult applyEntryDialog(Category& category, int slot, int position,
                                   const EntryDialogFields& fields, bool allowEmptyName) {
    if (!category.isPhoneBook() || !category.hasSlot(slot) || !category.hasSlot(position)) {
        return {};
    }
    const PhoneBookEntry entry = entryFromFields(category, slot, fields);
    if (!allowEmptyName && fieldText(entry.name).empty() && !isEmptyRecord(entry)) {
        return {-1, kNameNeededText};
    }
    if (isEmptyRecord(entry) && category.isEmpty(slot)) {
        return {};
    }
    if (position == slot) {
        return {category.storeEntry(slot, entry) ? slot : -1, 0};
    }
    // Only empty slots are offered; anything else would overwrite an entry.
    if (!category.isEmpty(position)) {
        return {};
    }
    if (!category.isEmpty(slot)) {
        category.snapshot(slot, Category::kNewGroup, slot);
    }
    category.snapshot(position, Category::kNewGroup, position);
    *category.entry(position) = entry;
    *category.entry(slot) = PhoneBookEntry{};
    return {position, 0};
}

} // namespace pelmora::model
