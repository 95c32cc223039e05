#include "PackedRecord.h"

#include "SecureZero.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace pelmora::model {

// Layout of the packed units: repeated groups of
//   zero-run length, literal count, literal units...
// covering the record from its start; trailing zeros are implied.

namespace {

// Zero runs shorter than this are cheaper kept as literals.
constexpr size_t kMinZeroRun = 3;

} // namespace

PackedRecord::PackedRecord(const void* record, size_t size) : m_recordSize(size) {
    if (size % 2 != 0 || size / 2 > UINT16_MAX) {
        throw std::length_error("record size not packable");
    }
    const auto* bytes = static_cast<const unsigned char*>(record);
    // Trailing zeros are implied, so the packing stops at the last used
    // unit; most of a record is its zero tail, skipped here eight bytes a step.
    size_t end = size;
    while (end >= 8) {
        uint64_t word = 0;
        std::memcpy(&word, bytes + end - 8, 8);
        if (word != 0) {
            break;
        }
        end -= 8;
    }
    const size_t count = (end + 1) / 2;
    if (count == 0) {
        return;
    }
    // Two passes over the record itself: the first counts the packed units,
    // the second writes them, so no working copy of the record is made.
    auto unitAt = [bytes](size_t at) {
        uint16_t unit = 0;
        std::memcpy(&unit, bytes + at * 2, 2);
        return unit;
    };
    auto pack = [&](uint16_t* out) {
        size_t written = 0;
        auto put = [&](uint16_t unit) {
            if (out != nullptr) {
                out[written] = unit;
            }
            ++written;
        };
        size_t i = 0;
        while (i < count) {
            size_t zeros = 0;
            while (i + zeros < count && unitAt(i + zeros) == 0) {
                ++zeros;
            }
            if (i + zeros == count) {
                break;
            }
            const size_t literalStart = i + zeros;
            size_t j = literalStart;
            while (j < count) {
                if (unitAt(j) != 0) {
                    ++j;
                    continue;
                }
                size_t run = 0;
                while (j + run < count && unitAt(j + run) == 0) {
                    ++run;
                }
                if (run >= kMinZeroRun || j + run == count) {
                    break;
                }
                j += run;
            }
            put(static_cast<uint16_t>(zeros));
            put(static_cast<uint16_t>(j - literalStart));
            for (size_t k = literalStart; k < j; ++k) {
                put(unitAt(k));
            }
            i = j;
        }
        return written;
    };
    m_unitCount = pack(nullptr);
    if (m_unitCount > 0) {
        m_units = std::make_unique_for_overwrite<uint16_t[]>(m_unitCount);
        pack(m_units.get());
    }
}

PackedRecord::~PackedRecord() {
    wipe();
}

PackedRecord::PackedRecord(PackedRecord&& other) noexcept
    : m_units(std::move(other.m_units)), m_unitCount(other.m_unitCount),
      m_recordSize(other.m_recordSize) {
    other.m_unitCount = 0;
    other.m_recordSize = 0;
}

PackedRecord& PackedRecord::operator=(PackedRecord&& other) noexcept {
    if (this != &other) {
        wipe();
        m_units = std::move(other.m_units);
        m_unitCount = other.m_unitCount;
        m_recordSize = other.m_recordSize;
        other.m_unitCount = 0;
        other.m_recordSize = 0;
    }
    return *this;
}

void PackedRecord::wipe() noexcept {
    if (m_units) {
        platform::secureZero(m_units.get(), m_unitCount * sizeof(uint16_t));
    }
    m_units.reset();
    m_unitCount = 0;
}

bool PackedRecord::unpack(void* record, size_t size) const {
    std::memset(record, 0, size);
    if (size != m_recordSize) {
        return false;
    }
    auto* out = static_cast<unsigned char*>(record);
    const size_t count = size / 2;
    size_t pos = 0;
    size_t i = 0;
    while (i + 2 <= m_unitCount) {
        pos += m_units[i];
        size_t literals = m_units[i + 1];
        i += 2;
        if (pos > count || literals > count - pos || literals > m_unitCount - i) {
            std::memset(record, 0, size);
            return false;
        }
        std::memcpy(out + pos * 2, m_units.get() + i, literals * 2);
        pos += literals;
        i += literals;
    }
    return true;
}

} // namespace pelmora::model
