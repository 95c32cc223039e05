#pragma once
// Speed-dial numbers of the iDEN book: every value of a contact occupies one
// card record, numbered globally from 1 to the book's capacity, and the entry
// keeps that number in its record-number element of the same index.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

class Category;

class SpeedDialNumbers {
public:
    explicit SpeedDialNumbers(uint32_t capacity = 0);
    // Every number that an entry of the category holds is taken.
    static SpeedDialNumbers ofCategory(const Category& category);

    [[nodiscard]] uint32_t capacity() const { return static_cast<uint32_t>(m_free.size()); }
    [[nodiscard]] bool isFree(int64_t number) const;
    // Numbers outside 1..capacity are ignored.
    void take(int64_t number);
    void release(int64_t number);
    // Takes and returns the lowest free number; 0 when none is left.
    int takeLowest();
    // Adds free numbers up to the new capacity.
    void grow(uint32_t capacity);

    // One byte per number from 1 on: 1 free, 0 taken.
    [[nodiscard]] std::vector<uint8_t> map() const;

private:
    std::vector<uint8_t> m_free;
    size_t m_lowestCandidate = 0; // every index below it is taken
};

// The panel of the iDEN book as the free-number map needs it, indexed by
// value (0..10, see PhoneBookValue): the text of each speed-dial box and
// whether each value's edit is empty.
struct SpeedDialPanel {
    std::array<std::u16string, 11> boxes;
    std::array<bool, 11> valueEmpty{};
};

// The panel rows from top to bottom, as value indices: Main / Work 2, Mobile,
// Home, Work, Fax, Pager, Other, E-mail, Private ID, Chat address, Talkgroup.
inline constexpr std::array<int, 11> kPanelValueOrder = {0, 4, 2, 3, 5, 6, 9, 10, 1, 8, 7};

// Free numbers while an entry is edited: numbers held by any entry or shown in
// any box are taken; numbers that the edited entry (editedSlot, or -1) holds
// for values whose edit was emptied are free again.
[[nodiscard]] std::vector<uint8_t> freeSpeedDialMap(const Category& category,
                                                    const SpeedDialPanel& panel, int editedSlot);
// The lowest free number of a map, 0 when none.
[[nodiscard]] int lowestFreeNumber(const std::vector<uint8_t>& map);

// A speed-dial box's number, or 0 when it does not hold one.
[[nodiscard]] int64_t parseSpeedDialBox(std::u16string_view text);

} // namespace pelmora::model
