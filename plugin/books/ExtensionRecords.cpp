#include "books/ExtensionRecords.h"

#include "books/CardDirectory.h"
#include "card/CallOutcome.h"
#include "card/SIMCard.h"
#include "codec/DiallingNumber.h"

#include <algorithm>
#include <array>

namespace brontel {

namespace {

constexpr uint8_t kUnused = 0xFF;

bool isOccupied(std::span<const uint8_t> record) {
    return !codec::isFreeExtensionRecord(record);
}

// The referenced records and every record linked from them in its last byte.
void keepLinked(std::vector<RecordPool::Record>& records, const std::set<uint8_t>& referenced) {
    for (uint8_t first : referenced) {
        // Each record is visited once, so a loop of links ends.
        for (size_t id = first; id >= 1 && id <= records.size() && !records[id - 1].kept;) {
            RecordPool::Record& r = records[id - 1];
            r.kept = true;
            if (!r.bytes || r.bytes->empty()) {
                break;
            }
            id = r.bytes->back();
        }
    }
}

} // namespace

void ExtensionRecords::open(const StandardBook& book, bool rewritesWholeBook) {
    // Without the file long numbers are cut.
    if (!book.extension || !m_file.open(*book.extension, kMinExtensionRecordLength)) {
        return;
    }
    std::vector<RecordPool::Record> records = m_file.readRecords(isOccupied);
    bool mayRelease = book.releasesExtensions && rewritesWholeBook;
    const bool anyOccupied =
        std::ranges::any_of(records, [](const RecordPool::Record& r) { return r.occupied; });
    if (mayRelease && anyOccupied) {
        if (std::optional<std::set<uint8_t>> referenced = referencesOfOtherBooks(book)) {
            keepLinked(records, *referenced);
        } else {
            mayRelease = false;
        }
    }
    m_file.share(std::move(records), mayRelease);
}

std::optional<std::set<uint8_t>>
ExtensionRecords::referencesOfOtherBooks(const StandardBook& book) {
    std::set<uint8_t> referenced;
    SIMCard& card = m_directory.card();
    std::array<uint8_t, 255> buffer{};
    for (const StandardBook& other : booksSharingExtension(book)) {
        SimFileInfo info;
        if (!m_directory.describe(other.ef, info)) {
            if (m_directory.fileWasMissing()) {
                continue; // the card has no such book
            }
            m_outcome.commandFailed(card);
            return std::nullopt;
        }
        const std::optional<RecordFile> file =
            usableRecordFile(other.ef, info, other.minRecordLength());
        if (!file) {
            continue;
        }
        const auto record = std::span(buffer).first(file->recordLength);
        const size_t numberAt = record.size() - other.trailingBytes - codec::kAdnNumberLength;
        for (int i = 1; i <= file->records; ++i) {
            if (!card.read_record(static_cast<uint8_t>(i), file->recordLength,
                                  SIMCard::kModeAbsolute, record)) {
                m_outcome.commandFailed(card);
                return std::nullopt;
            }
            const auto number = record.subspan(numberAt).first<codec::kAdnNumberLength>();
            if (std::optional<uint8_t> id = codec::adnExtensionRecord(number)) {
                referenced.insert(*id);
            }
        }
    }
    return referenced;
}

std::optional<uint8_t> ExtensionRecords::take(std::span<const uint8_t> bcd) {
    if (!m_file.isShared()) {
        return std::nullopt;
    }
    codec::EncodedBytes record = codec::buildExtensionRecord(bcd, m_file.file().recordLength);
    if (record.didNotFit) {
        m_outcome.valueDidNotFit();
    }
    if (std::optional<uint8_t> same = m_file.pool().claimIdentical(record.bytes)) {
        return same;
    }
    std::optional<uint8_t> id = m_file.pool().claimFree();
    if (id) {
        m_file.stage(*id, std::move(record.bytes));
    }
    return id;
}

std::set<uint8_t> ExtensionRecords::writeTaken() {
    return m_file.writeStaged();
}

void ExtensionRecords::releaseUnused() {
    m_file.releaseUnused(kUnused);
}

void ExtensionDigits::append(std::u16string& number, uint8_t id) {
    const RecordFile* file = m_file ? m_file->file() : nullptr;
    // A reference outside the file reads nothing.
    if (file == nullptr || id < 1 || id > file->records) {
        return;
    }
    const std::span<const uint8_t> record = m_file->read(id);
    if (record.empty()) {
        return;
    }
    // Only this one record is followed; its link to a further one is not.
    codec::appendExtensionDigits(number, record);
}

} // namespace brontel
