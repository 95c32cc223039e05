#pragma once
// A small record file whose records the values of a book share out during a
// write (extension records, e-mail continuation records): read whole first,
// then the records taken for new bytes written, then those nothing uses freed.

#include "books/RecordFile.h"
#include "books/RecordPool.h"

#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <utility>
#include <vector>

namespace brontel {

class CallOutcome;
class CardDirectory;

class SharedRecordFile {
public:
    SharedRecordFile(CardDirectory& directory, CallOutcome& outcome)
        : m_directory(directory), m_outcome(outcome) {}

    // Describes the file; false when the card has none with records of at
    // least minRecordLength bytes. A failure other than a missing file is
    // noted in the outcome.
    [[nodiscard]] bool open(FileId id, size_t minRecordLength);
    // Every record as read; a record that could not be read is neither free
    // nor occupied, and its failure is noted.
    [[nodiscard]] std::vector<RecordPool::Record>
    readRecords(bool (*occupied)(std::span<const uint8_t>));
    void share(std::vector<RecordPool::Record> records, bool mayRelease);

    [[nodiscard]] bool isShared() const { return m_pool.has_value(); }
    [[nodiscard]] const RecordFile& file() const { return *m_file; }
    [[nodiscard]] RecordPool& pool() { return *m_pool; }

    // New bytes for a record taken from the pool, written by writeStaged().
    void stage(uint8_t id, std::vector<uint8_t> bytes);
    // Writes the staged records; returns those that failed.
    [[nodiscard]] std::set<uint8_t> writeStaged();
    // Frees the records the pool releases, filling them with the byte.
    void releaseUnused(uint8_t fill);

private:
    [[nodiscard]] bool selectFile();

    CardDirectory& m_directory;
    CallOutcome& m_outcome;
    std::optional<RecordFile> m_file;
    std::optional<RecordPool> m_pool;
    std::vector<std::pair<uint8_t, std::vector<uint8_t>>> m_staged;
};

} // namespace brontel
