#include "books/SharedRecordFile.h"

#include "card/CallOutcome.h"
#include "books/CardDirectory.h"
#include "card/SIMCard.h"

#include <array>

namespace brontel {

bool SharedRecordFile::open(FileId id, size_t minRecordLength) {
    SimFileInfo info;
    if (!m_directory.describe(id, info)) {
        if (!m_directory.fileWasMissing()) {
            m_outcome.commandFailed(m_directory.card());
        }
        return false;
    }
    m_file = usableRecordFile(id, info, minRecordLength);
    return m_file.has_value();
}

std::vector<RecordPool::Record>
SharedRecordFile::readRecords(bool (*occupied)(std::span<const uint8_t>)) {
    std::vector<RecordPool::Record> records(static_cast<size_t>(m_file->records));
    std::array<uint8_t, 255> buffer{};
    const auto record = std::span(buffer).first(m_file->recordLength);
    SIMCard& card = m_directory.card();
    for (size_t i = 0; i < records.size(); ++i) {
        if (!selectFile() || !card.read_record(static_cast<uint8_t>(i + 1), m_file->recordLength,
                                               SIMCard::kModeAbsolute, record)) {
            m_outcome.commandFailed(card);
            continue;
        }
        records[i].bytes.emplace(record.begin(), record.end());
        records[i].occupied = occupied(record);
    }
    return records;
}

void SharedRecordFile::share(std::vector<RecordPool::Record> records, bool mayRelease) {
    m_pool.emplace(std::move(records), mayRelease);
}

void SharedRecordFile::stage(uint8_t id, std::vector<uint8_t> bytes) {
    m_staged.emplace_back(id, std::move(bytes));
}

bool SharedRecordFile::selectFile() {
    return m_directory.select(m_file->id);
}

std::set<uint8_t> SharedRecordFile::writeStaged() {
    std::set<uint8_t> failed;
    SIMCard& card = m_directory.card();
    for (const auto& [id, bytes] : m_staged) {
        if (!selectFile() ||
            !card.update_record(id, m_file->recordLength, SIMCard::kModeAbsolute, bytes)) {
            m_outcome.commandFailed(card);
            failed.insert(id);
        }
    }
    m_staged.clear();
    return failed;
}

void SharedRecordFile::releaseUnused(uint8_t fill) {
    if (!m_pool) {
        return;
    }
    SIMCard& card = m_directory.card();
    const std::vector<uint8_t> free(m_file->recordLength, fill);
    for (uint8_t id : m_pool->released()) {
        if (!selectFile() ||
            !card.update_record(id, m_file->recordLength, SIMCard::kModeAbsolute, free)) {
            m_outcome.commandFailed(card);
        }
    }
}

} // namespace brontel
