#include "books/StandardBookWriter.h"

#include "FieldText.h"
#include "books/CardDirectory.h"
#include "books/ExtensionRecords.h"
#include "books/PhoneBookProgress.h"
#include "books/RecordFile.h"
#include "books/StandardBook.h"
#include "card/CallOutcome.h"
#include "card/SIMCard.h"
#include "codec/AdnRecord.h"

#include <algorithm>
#include <vector>

namespace brontel {

namespace {

std::span<uint8_t> adnLayout(codec::EncodedAdnRecord& record, const StandardBook& book) {
    return std::span(record.bytes).first(record.bytes.size() - book.trailingBytes);
}

// The entries as records, without extension records yet.
std::vector<codec::EncodedAdnRecord> encodeEntries(const PhoneBookRequest& request, int count,
                                                   const StandardBook& book, const RecordFile& file,
                                                   CallOutcome& outcome) {
    std::vector<codec::EncodedAdnRecord> records;
    records.reserve(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) {
        const PhoneBookEntry& entry = request.entries[k];
        codec::EncodedAdnRecord record =
            codec::buildAdnRecord(file.recordLength - book.trailingBytes,
                                  codec::fieldText(entry.name), codec::fieldText(entry.value0));
        record.bytes.resize(file.recordLength, 0xFF);
        if (record.didNotFit) {
            outcome.valueDidNotFit();
        }
        records.push_back(std::move(record));
    }
    return records;
}

// Gives each long number an extension record; without one it keeps its first 20 digits.
void placeExtensions(std::vector<codec::EncodedAdnRecord>& records, const StandardBook& book,
                     ExtensionRecords& extensions, CallOutcome& outcome) {
    for (codec::EncodedAdnRecord& record : records) {
        if (record.extensionBcd.empty()) {
            continue;
        }
        if (std::optional<uint8_t> id = extensions.take(record.extensionBcd)) {
            codec::setAdnExtensionRecord(adnLayout(record, book), *id);
        } else {
            outcome.valueDidNotFit();
        }
    }
}

// Records whose extension record could not be written keep their first 20 digits.
void dropExtensions(std::vector<codec::EncodedAdnRecord>& records, const StandardBook& book,
                    const std::set<uint8_t>& failed) {
    for (codec::EncodedAdnRecord& record : records) {
        const auto layout = adnLayout(record, book);
        const auto number = layout.last<codec::kAdnNumberLength>();
        if (std::optional<uint8_t> id = codec::adnExtensionRecord(number);
            id && failed.contains(*id)) {
            codec::setAdnExtensionRecord(layout, 0xFF);
        }
    }
}

} // namespace

int writeStandardBook(SIMCard& card, FileId ef, const PhoneBookRequest& request) {
    const StandardBook book = standardBook(ef);
    CallOutcome outcome;
    CardDirectory directory(card);
    SimFileInfo info;
    const std::optional<RecordFile> file = openStandardBook(directory, book, info, outcome);
    if (!file) {
        return outcome.finish(card);
    }
    if (request.entries == nullptr || request.count <= 0 || file->records == 0) {
        return 0; // nothing to write
    }
    const int count = std::min(request.count, file->records);
    const bool rewritesWholeBook = count == file->records;

    std::vector<codec::EncodedAdnRecord> records =
        encodeEntries(request, count, book, *file, outcome);
    const bool anyLong = std::ranges::any_of(
        records, [](const codec::EncodedAdnRecord& r) { return !r.extensionBcd.empty(); });
    ExtensionRecords extensions(directory, outcome);
    // Books that only take extension records look at the file only when they need one.
    if (book.extension && (book.releasesExtensions || anyLong)) {
        extensions.open(book, rewritesWholeBook);
    }
    placeExtensions(records, book, extensions, outcome);
    // New extension records first: a book record never points at digits not yet written.
    dropExtensions(records, book, extensions.writeTaken());

    if (!directory.select(ef)) {
        outcome.commandFailed(card);
        return outcome.finish(card);
    }
    bool allWritten = true;
    for (int step = 0; step < count; ++step) {
        // A cyclic file is written oldest first in previous mode: each update
        // becomes record 1, so entry 1, written last, is the newest.
        const int k = file->cyclic ? count - step : step + 1;
        const uint8_t recordNumber = file->cyclic ? 0 : static_cast<uint8_t>(k);
        const uint8_t mode = file->cyclic ? SIMCard::kModePrevious : SIMCard::kModeAbsolute;
        if (!card.update_record(recordNumber, file->recordLength, mode, records[k - 1].bytes)) {
            outcome.commandFailed(card); // the other records are still written
            allWritten = false;
        }
        const PhoneBookEntry& entry = request.entries[k - 1];
        reportProgress(request, k, file->records, entry.name, entry.value0);
    }
    // Old extension records are freed only once no record of the book can still point at them.
    if (allWritten) {
        extensions.releaseUnused();
    }
    return outcome.finish(card);
}

} // namespace brontel
