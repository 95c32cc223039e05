#pragma once
// What a category tells the views that show it, after each change. Called on
// the thread that changed the category: the UI thread, since card commands
// change only staging copies on their workers.

#include <cstdint>

namespace pelmora::model {

class Category;

class CategoryListener {
public:
    virtual ~CategoryListener() = default;
    // Slots first to last (both included) may hold other records.
    virtual void slotsChanged(const Category& /*category*/, int /*first*/, int /*last*/) {}
    // The slot count went from before to after; the slots both counts share
    // keep their records unless slotsReset follows. A table model that caches
    // its row count inserts or removes rows from here.
    virtual void slotCountChanged(const Category& /*category*/, uint32_t /*before*/,
                                  uint32_t /*after*/) {}
    // Any slot may hold another record: show them all again.
    virtual void slotsReset(const Category& /*category*/) {}
    // The book became changed since its last save or write, or unchanged again.
    virtual void modifiedChanged(const Category& /*category*/, bool /*modified*/) {}
};

} // namespace pelmora::model
