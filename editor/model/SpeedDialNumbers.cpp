#include "SpeedDialNumbers.h"

#include "Category.h"
#include "Records.h"

#include <algorithm>

namespace pelmora::model {

SpeedDialNumbers::SpeedDialNumbers(uint32_t capacity) : m_free(capacity, 1) {}

SpeedDialNumbers SpeedDialNumbers::ofCategory(const Category& category) {
    SpeedDialNumbers numbers(category.slotCount());
    for (const PhoneBookEntry& entry : category.entries()) {
        for (int32_t number : entry.recordNumbers) {
            numbers.take(number);
        }
    }
    return numbers;
}

bool SpeedDialNumbers::isFree(int64_t number) const {
    return number >= 1 && static_cast<uint64_t>(number) <= m_free.size() &&
           m_free[static_cast<size_t>(number - 1)] != 0;
}

void SpeedDialNumbers::take(int64_t number) {
    if (number >= 1 && static_cast<uint64_t>(number) <= m_free.size()) {
        m_free[static_cast<size_t>(number - 1)] = 0;
    }
}

void SpeedDialNumbers::release(int64_t number) {
    if (number >= 1 && static_cast<uint64_t>(number) <= m_free.size()) {
        m_free[static_cast<size_t>(number - 1)] = 1;
        m_lowestCandidate = std::min(m_lowestCandidate, static_cast<size_t>(number - 1));
    }
}

int SpeedDialNumbers::takeLowest() {
    while (m_lowestCandidate < m_free.size() && m_free[m_lowestCandidate] == 0) {
        ++m_lowestCandidate;
    }
    if (m_lowestCandidate == m_free.size()) {
        return 0;
    }
    m_free[m_lowestCandidate] = 0;
    return static_cast<int>(m_lowestCandidate + 1);
}

void SpeedDialNumbers::grow(uint32_t capacity) {
    if (capacity > m_free.size()) {
        m_free.resize(capacity, 1);
    }
}

std::vector<uint8_t> SpeedDialNumbers::map() const {
    return m_free;
}

int64_t parseSpeedDialBox(std::u16string_view text) {
    if (text.empty() || text.size() > 9) {
        return 0;
    }
    int64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return 0;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

std::vector<uint8_t> freeSpeedDialMap(const Category& category, const SpeedDialPanel& panel,
                                      int editedSlot) {
    SpeedDialNumbers numbers = SpeedDialNumbers::ofCategory(category);
    for (const std::u16string& box : panel.boxes) {
        numbers.take(parseSpeedDialBox(box));
    }
    if (const PhoneBookEntry* edited = category.entry(editedSlot)) {
        for (int k = 0; k < kValueCount; ++k) {
            if (panel.valueEmpty[static_cast<size_t>(k)] && edited->recordNumbers[k] != 0) {
                numbers.release(edited->recordNumbers[k]);
            }
        }
    }
    return numbers.map();
}

int lowestFreeNumber(const std::vector<uint8_t>& map) {
    auto it = std::find(map.begin(), map.end(), uint8_t{1});
    return it == map.end() ? 0 : static_cast<int>(it - map.begin()) + 1;
}

} // namespace pelmora::model
