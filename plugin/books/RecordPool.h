#pragma once
// The records of a small file that the values of a book share out among
// themselves (extension records of long numbers, continuation records of
// e-mail addresses), as one write plans their use. Records are numbered from 1.
//
// A record that could not be read is never handed out nor freed. Records that
// already hold exactly the wanted bytes are taken as they are, so that writing
// a book back unchanged leaves these files unchanged too.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace brontel {

class RecordPool {
public:
    struct Record {
        std::optional<std::vector<uint8_t>> bytes; // nullopt: could not be read
        bool occupied = false;                     // holds data by the file's own rule
        bool kept = false;                         // in use by something the write does not rewrite
    };

    // mayRelease: occupied records that nothing keeps may be taken over and
    // freed; without it only unoccupied records are handed out.
    RecordPool(std::vector<Record> records, bool mayRelease);

    [[nodiscard]] size_t size() const { return m_records.size(); }
    [[nodiscard]] bool contains(size_t id) const { return id >= 1 && id <= m_records.size(); }
    // The record as read; nullptr when it does not exist or could not be read.
    [[nodiscard]] const std::vector<uint8_t>* bytes(size_t id) const;
    [[nodiscard]] bool claimed(size_t id) const;
    void claim(size_t id);

    // An unclaimed record holding exactly these bytes.
    [[nodiscard]] std::optional<uint8_t> claimIdentical(std::span<const uint8_t> bytes);
    // An unclaimed record that may receive new bytes: unoccupied ones first.
    [[nodiscard]] std::optional<uint8_t> claimFree();

    // Occupied records that nothing keeps and that the write did not claim:
    // the ones to free once the write is through (none without mayRelease).
    [[nodiscard]] std::vector<uint8_t> released() const;

private:
    [[nodiscard]] bool available(size_t index) const;

    std::vector<Record> m_records;
    std::vector<bool> m_claimed;
    bool m_mayRelease;
};

} // namespace brontel
