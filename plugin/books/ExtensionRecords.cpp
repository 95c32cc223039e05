#include "books/ExtensionRecords.h"

#include "books/CallOutcome.h"
#include "books/CardDirectory.h"
#include "card/SIMCard.h"
#include "codec/DiallingNumber.h"

#include <algorithm>
#include <array>

namespace brontel {

namespace {

constexpr uint8_t kUnused = 0xFF;

} // namespace

void ExtensionRecords::open(const StandardBook& book, bool rewritesWholeBook) {
    SimFileInfo info;
    if (!book.extension) {
        return;
    }
    if (!m_directory.describe(*book.extension, info)) {
        if (!m_directory.fileWasMissing()) {
            m_outcome.commandFailed(m_directory.card());
        }
        return; // no extension records: long numbers are cut
    }
    m_file = usableRecordFile(*book.extension, info, kMinExtensionRecordLength);
    if (!m_file) {
        return;
    }
    std::vector<RecordPool::Record> records = readRecords();
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
    m_pool.emplace(std::move(records), mayRelease);
}

std::vector<RecordPool::Record> ExtensionRecords::readRecords() {
    std::vector<RecordPool::Record> records(static_cast<size_t>(m_file->records));
    std::array<uint8_t, 255> buffer{};
    const auto record = std::span(buffer).first(m_file->recordLength);
    SIMCard& card = m_directory.card();
    for (size_t i = 0; i < records.size(); ++i) {
        if (!card.read_record(static_cast<uint8_t>(i + 1), m_file->recordLength,
                              SIMCard::kModeAbsolute, record)) {
            m_outcome.commandFailed(card); // unknown contents: neither free nor freed
            continue;
        }
        records[i].bytes.emplace(record.begin(), record.end());
        records[i].occupied = !codec::isFreeExtensionRecord(record);
    }
    return records;
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

void ExtensionRecords::keepLinked(std::vector<RecordPool::Record>& records,
                                  const std::set<uint8_t>& referenced) {
    for (uint8_t id : referenced) {
        // A record may link to a further one in its last byte; each is visited once.
        while (id >= 1 && id <= records.size() && !records[id - 1].kept) {
            RecordPool::Record& r = records[id - 1];
            r.kept = true;
            if (!r.bytes || r.bytes->empty()) {
                break;
            }
            id = r.bytes->back();
        }
    }
}

std::optional<uint8_t> ExtensionRecords::take(std::span<const uint8_t> bcd) {
    if (!m_pool) {
        return std::nullopt;
    }
    codec::EncodedBytes record = codec::buildExtensionRecord(bcd, m_file->recordLength);
    if (record.didNotFit) {
        m_outcome.valueDidNotFit();
    }
    if (std::optional<uint8_t> same = m_pool->claimIdentical(record.bytes)) {
        return same;
    }
    std::optional<uint8_t> id = m_pool->claimFree();
    if (id) {
        m_pending.emplace_back(*id, std::move(record.bytes));
    }
    return id;
}

std::set<uint8_t> ExtensionRecords::writeTaken() {
    std::set<uint8_t> failed;
    if (m_pending.empty()) {
        return failed;
    }
    SIMCard& card = m_directory.card();
    if (!m_directory.select(m_file->id)) {
        m_outcome.commandFailed(card);
        for (const auto& pending : m_pending) {
            failed.insert(pending.first);
        }
        return failed;
    }
    for (const auto& [id, bytes] : m_pending) {
        if (!card.update_record(id, m_file->recordLength, SIMCard::kModeAbsolute, bytes)) {
            m_outcome.commandFailed(card);
            failed.insert(id);
        }
    }
    return failed;
}

void ExtensionRecords::releaseUnused() {
    if (!m_pool) {
        return;
    }
    const std::vector<uint8_t> unused = m_pool->released();
    if (unused.empty()) {
        return;
    }
    SIMCard& card = m_directory.card();
    if (!m_directory.select(m_file->id)) {
        m_outcome.commandFailed(card);
        return;
    }
    const std::vector<uint8_t> free(m_file->recordLength, kUnused);
    for (uint8_t id : unused) {
        if (!card.update_record(id, m_file->recordLength, SIMCard::kModeAbsolute, free)) {
            m_outcome.commandFailed(card);
        }
    }
}

void ExtensionDigits::append(std::u16string& number, uint8_t id) {
    if (!m_extension) {
        return;
    }
    SIMCard& card = m_directory.card();
    if (!m_described) {
        m_described = true;
        SimFileInfo info;
        if (!m_directory.describe(*m_extension, info)) {
            m_outcome.commandFailed(card);
            return;
        }
        m_file = usableRecordFile(*m_extension, info, kMinExtensionRecordLength);
    }
    // A reference outside the file reads nothing.
    if (!m_file || id < 1 || id > m_file->records) {
        return;
    }
    std::array<uint8_t, 255> buffer{};
    const auto record = std::span(buffer).first(m_file->recordLength);
    if (!m_directory.select(m_file->id) ||
        !card.read_record(id, m_file->recordLength, SIMCard::kModeAbsolute, record)) {
        m_outcome.commandFailed(card);
        return;
    }
    // Only this one record is followed; its link to a further one is not.
    codec::appendExtensionDigits(number, record);
}

} // namespace brontel
