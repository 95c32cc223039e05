#pragma once
// A copy of one record with its runs of zero bytes left out. Records are
// mostly zero (an entry of 2068 bytes typically holds a few dozen bytes of
// text), so undo snapshots of large books stay small.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace pelmora::model {

class PackedRecord {
public:
    PackedRecord() = default;
    // Packs size bytes; size must be even (every record is made of 16-bit units).
    PackedRecord(const void* record, size_t size);
    ~PackedRecord();
    PackedRecord(PackedRecord&& other) noexcept;
    PackedRecord& operator=(PackedRecord&& other) noexcept;
    PackedRecord(const PackedRecord&) = delete;
    PackedRecord& operator=(const PackedRecord&) = delete;

    // Writes the record back into size bytes (the size it was packed from);
    // returns false and leaves the target zero when the sizes differ.
    bool unpack(void* record, size_t size) const;

    [[nodiscard]] size_t recordSize() const { return m_recordSize; }
    // Heap bytes this copy holds.
    [[nodiscard]] size_t packedBytes() const { return m_unitCount * sizeof(uint16_t); }

private:
    std::unique_ptr<uint16_t[]> m_units;
    size_t m_unitCount = 0;
    size_t m_recordSize = 0;

    void wipe() noexcept;
};

} // namespace pelmora::model
