#include "WriteFitCheck.h"

#include "AdditionalValues.h"
#include "CardTextFit.h"
#include "Category.h"
#include "Records.h"

namespace pelmora::model {

namespace {

void checkStandardEntry(const Category& category, int slot, size_t alphaBytes,
                        std::vector<Misfit>& out) {
    const PhoneBookEntry& entry = *category.entry(slot);
    const std::u16string_view name = fieldText(entry.name);
    if (const CardText stored = nameOnCard(name, alphaBytes); !stored.fits) {
        out.push_back({slot, MisfitReason::NameCut, std::u16string(name), stored.stored, -1});
    }
    const std::u16string_view number = fieldText(entry.value0);
    if (const CardText stored = numberOnCard(number); !stored.fits) {
        out.push_back({slot, MisfitReason::NumberCut, std::u16string(number), stored.stored, -1});
    }
}

void checkIdenEntry(const Category& category, int slot, int records, int recordLength,
                    std::vector<Misfit>& out) {
    const PhoneBookEntry& entry = *category.entry(slot);
    const std::u16string_view name = fieldText(entry.name);
    if (const CardText stored = idenNameOnCard(name, recordLength); !stored.fits) {
        out.push_back({slot, MisfitReason::NameCut, std::u16string(name), stored.stored, -1});
    }
    for (int k = 0; k < kValueCount; ++k) {
        const std::u16string_view value = entryValue(entry, k);
        const int32_t number = entry.recordNumbers[k];
        if (!value.empty() && (number < 1 || number > records)) {
            out.push_back({slot, MisfitReason::ValueBeyondRecords, std::u16string(value), u"", k});
        }
    }
}

void checkValuesWithoutRoom(const Category& category, int slot, uint32_t valuesWithoutRoom,
                            std::vector<Misfit>& out) {
    const PhoneBookEntry& entry = *category.entry(slot);
    for (const AdditionalValue& value : additionalValues(category.kind())) {
        const std::u16string_view text = entryValue(entry, value.value);
        if (!text.empty() && (valuesWithoutRoom >> value.value & 1u) != 0) {
            out.push_back(
                {slot, MisfitReason::ValueWithoutRoom, std::u16string(text), u"", value.value});
        }
    }
}

// What names the slot to the user: the name, else the number or text.
std::u16string slotLabel(const Category& category, int slot) {
    if (const PhoneBookEntry* entry = category.entry(slot)) {
        const std::u16string_view name = fieldText(entry->name);
        return std::u16string(name.empty() ? fieldText(entry->value0) : name);
    }
    const SmsEntry& message = *category.message(slot);
    const std::u16string_view address = fieldText(message.address);
    return std::u16string(address.empty() ? fieldText(message.text) : address);
}

} // namespace

int cardRecordCount(const SimInfo& book) {
    const int32_t size = book.bookAttributes[0];
    const int32_t length = book.bookAttributes[3];
    if (size <= 0 || length <= 0) {
        return -1;
    }
    return size / length;
}

std::vector<Misfit> entriesThatDoNotFit(const Category& category, const SimInfo& book,
                                        uint32_t valuesWithoutRoom) {
    std::vector<Misfit> out;
    const int records = cardRecordCount(book);
    if (records < 0) {
        return out;
    }
    const int recordLength = book.bookAttributes[3];
    const bool iden = category.kind() == kBookNextel;
    const bool standard = category.isPhoneBook() && !iden;
    const size_t alphaBytes = alphaFieldBytes(category.kind(), recordLength);
    for (int slot = 0; slot < static_cast<int>(category.slotCount()); ++slot) {
        if (category.isEmpty(slot)) {
            continue;
        }
        if (slot >= records) {
            out.push_back({slot, MisfitReason::BeyondRecords, slotLabel(category, slot), {}, -1});
            continue;
        }
        if (standard) {
            checkStandardEntry(category, slot, alphaBytes, out);
        }
        if (iden) {
            checkIdenEntry(category, slot, records, recordLength, out);
        }
        if (standard && valuesWithoutRoom != 0) {
            checkValuesWithoutRoom(category, slot, valuesWithoutRoom, out);
        }
    }
    return out;
}

} // namespace pelmora::model
