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
#include <array>
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

// Whether the card's record already says what the entry says: the same name
// and number, no extension record behind either. Such a record keeps its own
// bytes (its alphabet scheme, number type, comparison byte), so a book written
// back unchanged stays as it was.
bool holdsEntry(std::span<const uint8_t> layout, const PhoneBookEntry& entry,
                const codec::EncodedAdnRecord& planned) {
    const std::optional<codec::AdnRecord> held = codec::parseAdnRecord(layout);
    return held && !held->extensionRecord && planned.extensionBcd.empty() &&
           held->name == codec::fieldText(entry.name) &&
           held->number == codec::fieldText(entry.value0);
}

// The records 1 to count that already hold their entry (index k - 1); a
// record that cannot be read is rewritten.
std::vector<bool> recordsHoldingEntries(SIMCard& card, const RecordFile& file,
                                        const StandardBook& book, const PhoneBookRequest& request,
                                        const std::vector<codec::EncodedAdnRecord>& records) {
    std::vector<bool> holding(records.size(), false);
    std::array<uint8_t, 255> buffer{};
    const auto record = std::span(buffer).first(file.recordLength);
    for (size_t i = 0; i < records.size(); ++i) {
        holding[i] = card.read_record(static_cast<uint8_t>(i + 1), file.recordLength,
                                      SIMCard::kModeAbsolute, record) != 0 &&
                     holdsEntry(record.first(record.size() - book.trailingBytes),
                                request.entries[i], records[i]);
    }
    return holding;
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
    std::vector<bool> holding = recordsHoldingEntries(card, *file, book, request, records);
    // Every update of a cyclic file moves its records: all are written, or none.
    if (file->cyclic && !std::ranges::all_of(holding, [](bool h) { return h; })) {
        holding.assign(holding.size(), false);
    }
    bool allWritten = true;
    for (int step = 0; step < count; ++step) {
        // A cyclic file is written oldest first in previous mode: each update
        // becomes record 1, so entry 1, written last, is the newest.
        const int k = file->cyclic ? count - step : step + 1;
        const uint8_t recordNumber = file->cyclic ? 0 : static_cast<uint8_t>(k);
        const uint8_t mode = file->cyclic ? SIMCard::kModePrevious : SIMCard::kModeAbsolute;
        if (!holding[static_cast<size_t>(k - 1)] &&
            !card.update_record(recordNumber, file->recordLength, mode, records[k - 1].bytes)) {
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
