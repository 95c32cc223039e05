#include "books/StandardBookReader.h"

#include "FieldText.h"
#include "books/CardDirectory.h"
#include "books/ExtensionRecords.h"
#include "books/PhoneBookProgress.h"
#include "books/RecordFile.h"
#include "books/RecordTrace.h"
#include "books/StandardBook.h"
#include "card/CallOutcome.h"
#include "card/SIMCard.h"
#include "codec/AdnRecord.h"

#include <array>

namespace brontel {

void reportFileAttributes(PhoneBookRequest& request, const SimFileInfo& info) {
    request.fileSize = info.fileSize;
    request.fileType = info.fileType;
    request.structure = info.structure;
    request.recordLength = info.recordLength;
    request.readCondition = info.readCondition;
    request.updateCondition = info.updateCondition;
}

int readStandardBook(SIMCard& card, FileId ef, PhoneBookRequest& request) {
    const StandardBook book = standardBook(ef);
    CallOutcome outcome;
    CardDirectory directory(card);
    SimFileInfo info;
    const std::optional<RecordFile> file = openStandardBook(directory, book, info, outcome);
    reportFileAttributes(request, info);
    if (!file) {
        return outcome.finish(card);
    }
    const int total = file->records;
    const int capacity = request.count;
    request.count = total;
    if (request.entries == nullptr) {
        return outcome.finish(card);
    }
    if (capacity < total) {
        return 0;
    }

    ExtensionDigits extensions(directory, outcome, book.extension);
    std::array<uint8_t, 255> buffer{};
    const auto record = std::span(buffer).first(file->recordLength);
    // The ADN layout without the bytes some books add after it.
    const auto layout = record.first(record.size() - book.trailingBytes);
    for (int i = 1; i <= total; ++i) {
        PhoneBookEntry& entry = request.entries[i - 1];
        entry = PhoneBookEntry{};
        if (!directory.select(ef) || !card.read_record(static_cast<uint8_t>(i), file->recordLength,
                                                       SIMCard::kModeAbsolute, record)) {
            outcome.commandFailed(card);
            break;
        }
        traceRecord("simple", i, record);
        std::optional<codec::AdnRecord> decoded = codec::parseAdnRecord(layout);
        if (decoded && decoded->extensionRecord) {
            extensions.append(decoded->number, *decoded->extensionRecord);
        }
        if (decoded && (!decoded->name.empty() || !decoded->number.empty())) {
            codec::setFieldText(entry.name, decoded->name);
            codec::setFieldText(entry.value0, decoded->number);
            entry.recordNumbers[0] = i;
        }
        reportProgress(request, i, total, entry.name, entry.value0);
    }
    return outcome.finish(card);
}

} // namespace brontel
