#include "books/RecordPool.h"

#include "books/RecordFile.h"

#include <algorithm>

namespace brontel {

RecordPool::RecordPool(std::vector<Record> records, bool mayRelease)
    : m_records(std::move(records)), m_claimed(m_records.size(), false), m_mayRelease(mayRelease) {
    // Record numbers are one byte.
    if (m_records.size() > static_cast<size_t>(kMaxRecordNumber)) {
        m_records.resize(kMaxRecordNumber);
        m_claimed.resize(kMaxRecordNumber);
    }
}

const std::vector<uint8_t>* RecordPool::bytes(size_t id) const {
    if (!contains(id) || !m_records[id - 1].bytes) {
        return nullptr;
    }
    return &*m_records[id - 1].bytes;
}

bool RecordPool::claimed(size_t id) const {
    return contains(id) && m_claimed[id - 1];
}

void RecordPool::claim(size_t id) {
    if (contains(id)) {
        m_claimed[id - 1] = true;
    }
}

bool RecordPool::available(size_t index) const {
    return !m_claimed[index] && m_records[index].bytes.has_value();
}

std::optional<uint8_t> RecordPool::claimIdentical(std::span<const uint8_t> bytes) {
    for (size_t i = 0; i < m_records.size(); ++i) {
        const Record& r = m_records[i];
        if (available(i) && r.occupied && std::ranges::equal(*r.bytes, bytes)) {
            m_claimed[i] = true;
            return static_cast<uint8_t>(i + 1);
        }
    }
    return std::nullopt;
}

std::optional<uint8_t> RecordPool::claimFree() {
    for (const bool takeOver : {false, true}) {
        if (takeOver && !m_mayRelease) {
            break;
        }
        for (size_t i = 0; i < m_records.size(); ++i) {
            const Record& r = m_records[i];
            if (available(i) && r.occupied == takeOver && !r.kept) {
                m_claimed[i] = true;
                return static_cast<uint8_t>(i + 1);
            }
        }
    }
    return std::nullopt;
}

std::vector<uint8_t> RecordPool::released() const {
    std::vector<uint8_t> ids;
    if (!m_mayRelease) {
        return ids;
    }
    for (size_t i = 0; i < m_records.size(); ++i) {
        const Record& r = m_records[i];
        if (available(i) && r.occupied && !r.kept) {
            ids.push_back(static_cast<uint8_t>(i + 1));
        }
    }
    return ids;
}

} // namespace brontel
