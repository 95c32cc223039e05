#include "RowCommit.h"

#include "AdditionalValues.h"
#include "Category.h"
#include "FieldRules.h"
#include "Records.h"

namespace pelmora::model {

namespace {

int targetSlot(const Category& category, int slot, bool simWithoutHoles) {
    const int firstFree = category.lastUsedSlot() + 1;
    return simWithoutHoles && slot > firstFree ? firstFree : slot;
}

} // namespace

RowCommit commitEntryRow(Category& category, int slot, std::u16string_view name,
                         std::u16string_view number, bool simWithoutHoles) {
    if (!category.isPhoneBook() || !category.hasSlot(slot)) {
        return {};
    }
    const int target = targetSlot(category, slot, simWithoutHoles);
    PhoneBookEntry entry = *category.entry(target);
    setFieldText(entry.name, name);
    if (category.kind() != kBookNextel) {
        setFieldText(entry.value0, number);
    }
    return {target, category.storeEntry(target, entry)};
}

RowCommit commitIdenRow(Category& category, int slot, const IdenValues& values,
                        bool simWithoutHoles) {
    if (category.kind() != kBookNextel || !category.hasSlot(slot)) {
        return {};
    }
    const int target = targetSlot(category, slot, simWithoutHoles);
    PhoneBookEntry entry = *category.entry(target);
    for (int k = 0; k < kValueCount; ++k) {
        setEntryValue(entry, k, values.values[static_cast<size_t>(k)]);
        entry.recordNumbers[k] = values.speedDials[static_cast<size_t>(k)];
    }
    return {target, category.storeEntry(target, entry)};
}

RowCommit commitAdditionalValues(Category& category, int slot,
                                 std::span<const std::u16string> texts, bool simWithoutHoles) {
    const std::span<const AdditionalValue> extras = additionalValues(category.kind());
    if (extras.empty() || texts.size() != extras.size() || !category.hasSlot(slot)) {
        return {};
    }
    for (size_t i = 0; i < extras.size(); ++i) {
        const int k = extras[i].value;
        if (texts[i].size() > entryValueWidth(k) || !cardCanHold(category.kind(), k, texts[i])) {
            return {};
        }
    }
    const int target = targetSlot(category, slot, simWithoutHoles);
    PhoneBookEntry entry = *category.entry(target);
    for (size_t i = 0; i < extras.size(); ++i) {
        setEntryValue(entry, extras[i].value, texts[i]);
    }
    return {target, category.storeEntry(target, entry)};
}

RowCommit commitMessageRow(Category& category, int slot, std::u16string_view number,
                           std::u16string_view serviceCentre, std::u16string_view text,
                           bool simWithoutHoles) {
    if (!category.isMessages() || !category.hasSlot(slot)) {
        return {};
    }
    const int target = targetSlot(category, slot, simWithoutHoles);
    SmsEntry message{};
    message.flags = static_cast<int32_t>(kSmsChanged);
    setFieldText(message.address, number);
    setFieldText(message.smsc, serviceCentre);
    setFieldText(message.text, text);
    return {target, category.storeMessage(target, message)};
}

} // namespace pelmora::model
