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
    const size_t count = size / 2;
    if (count == 0) {
        return;
    }
    std::vector<uint16_t> units(count);
    std::memcpy(units.data(), record, count * 2);

    std::vector<uint16_t> packed;
    size_t i = 0;
    while (i < count) {
        size_t zeros = 0;
        while (i + zeros < count && units[i + zeros] == 0) {
            ++zeros;
        }
        if (i + zeros == count) {
            break;
        }
        size_t literalStart = i + zeros;
        size_t j = literalStart;
        while (j < count) {
            if (units[j] != 0) {
                ++j;
                continue;
            }
            size_t run = 0;
            while (j + run < count && units[j + run] == 0) {
                ++run;
            }
            if (run >= kMinZeroRun || j + run == count) {
                break;
            }
            j += run;
        }
        packed.push_back(static_cast<uint16_t>(zeros));
        packed.push_back(static_cast<uint16_t>(j - literalStart));
        packed.insert(packed.end(), units.begin() + static_cast<ptrdiff_t>(literalStart),
                      units.begin() + static_cast<ptrdiff_t>(j));
        i = j;
    }
    m_unitCount = packed.size();
    if (m_unitCount > 0) {
        m_units = std::make_unique<uint16_t[]>(m_unitCount);
        std::copy(packed.begin(), packed.end(), m_units.get());
    }
    platform::secureZero(units.data(), units.size() * 2);
    platform::secureZero(packed.data(), packed.size() * 2);
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
