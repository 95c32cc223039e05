#pragma once
// A record file that a book read follows references into: described at its
// first use, then read one record at a time.

#include "books/RecordFile.h"
#include "card/FileId.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace brontel {

class CallOutcome;
class CardDirectory;

class RecordReader {
public:
    // reportUnusable: a file that describes itself but cannot hold the layout
    // counts as a failed command too.
    RecordReader(CardDirectory& directory, CallOutcome& outcome, FileId id, size_t minRecordLength,
                 bool reportUnusable)
        : m_directory(directory), m_outcome(outcome), m_id(id), m_minRecordLength(minRecordLength),
          m_reportUnusable(reportUnusable) {}

    // The file, described at the first call; nullptr when it could not be
    // described (reported) or is no usable record file.
    [[nodiscard]] const RecordFile* file();
    // Its size as described; 0 until then.
    [[nodiscard]] int fileSize() const { return m_fileSize; }

    // Record id of the described file, valid until the next read; empty when
    // the card fails (reported).
    [[nodiscard]] std::span<const uint8_t> read(uint8_t id);

private:
    CardDirectory& m_directory;
    CallOutcome& m_outcome;
    FileId m_id;
    size_t m_minRecordLength;
    bool m_reportUnusable;
    bool m_described = false;
    std::optional<RecordFile> m_file;
    int m_fileSize = 0;
    std::array<uint8_t, 255> m_buffer{};
};

} // namespace brontel
