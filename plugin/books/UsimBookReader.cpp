#include "books/UsimBookReader.h"

#include "books/CardDirectory.h"
#include "books/PhoneBookProgress.h"
#include "books/RecordTrace.h"
#include "books/StandardBookReader.h"
#include "books/UsimBook.h"
#include "card/CallOutcome.h"
#include "codec/AdnRecord.h"
#include "FieldText.h"
#include "codec/UsimValueRecord.h"

namespace brontel {

namespace {

std::u16string valueText(const UsimBookImage& image, const UsimBookLayout& layout,
                         const UsimValueFile& value, const std::vector<uint8_t>& record) {
    if (value.kind != UsimValueKind::Number) {
        const size_t link =
            value.reference == codec::ReferenceKind::ThroughIap ? codec::kType2LinkLength : 0;
        return codec::parseTextRecord(record, record.size() - link);
    }
    std::optional<codec::AdditionalNumber> anr = codec::parseAnrRecord(record);
    if (!anr) {
        return {};
    }
    appendExtensionChain(anr->number, anr->extensionRecord, image, layout.ext1);
    return anr->number;
}

void fillEntry(PhoneBookEntry& entry, const UsimBookImage& image, const UsimBookLayout& layout,
               const UsimBookSet& set, size_t adnRecord, int number) {
    const std::vector<uint8_t>* adn = image.record(set.adn, adnRecord);
    std::optional<codec::AdnRecord> decoded =
        adn != nullptr ? codec::parseAdnRecord(*adn) : std::nullopt;
    if (!decoded) {
        return;
    }
    appendExtensionChain(decoded->number, decoded->extensionRecord, image, layout.ext1);
    if (decoded->name.empty() && decoded->number.empty()) {
        return; // the values of an empty ADN record belong to no one
    }
    codec::setFieldText(entry.name, decoded->name);
    codec::setFieldText(entry.value0, decoded->number);
    entry.recordNumbers[0] = number;
    for (const UsimValueFile& value : set.values) {
        const size_t at = valueRecordNumber(image, set, value, adnRecord);
        const std::vector<uint8_t>* record = at != 0 ? image.record(value.file, at) : nullptr;
        if (record == nullptr) {
            continue;
        }
        const PhoneBookValueField field = phoneBookValue(entry, value.field);
        (void)codec::setFieldText(field.text, field.capacity,
                                  valueText(image, layout, value, *record));
    }
}

} // namespace

int readUsimBook(SIMCard& card, PhoneBookRequest& request) {
    CallOutcome outcome;
    CardDirectory directory(card);
    const std::optional<UsimBookLayout> layout = surveyUsimBook(directory, outcome);
    if (!layout) {
        reportFileAttributes(request, SimFileInfo{});
        return outcome.finish(card);
    }
    reportFileAttributes(request, layout->firstAdn);
    request.fileSize = layout->fileSize;
    request.unused = static_cast<int32_t>(valuesWithoutRoom(*layout));
    const int capacity = request.count;
    request.count = layout->entries;
    if (request.entries == nullptr) {
        return outcome.finish(card);
    }
    if (capacity < layout->entries) {
        return 0;
    }
    const std::optional<UsimBookImage> image = readUsimBook(directory, *layout, false, outcome);
    if (!image) {
        return outcome.finish(card);
    }
    for (const UsimBookSet& set : layout->sets) {
        for (int i = 1; i <= set.adn.records; ++i) {
            const int number = set.firstEntry + i;
            PhoneBookEntry& entry = request.entries[number - 1];
            entry = PhoneBookEntry{};
            if (const std::vector<uint8_t>* adn = image->record(set.adn, static_cast<size_t>(i))) {
                traceRecord("usim", number, *adn);
            }
            fillEntry(entry, *image, *layout, set, static_cast<size_t>(i), number);
            reportProgress(request, number, layout->entries, entry.name, entry.value0);
        }
    }
    return outcome.finish(card);
}

} // namespace brontel
