#pragma once
// What the model asks of the entry list that shows a category. Slots are
// passed, not list rows: the message list orders its rows differently.

#include <span>

namespace pelmora::model {

class Category;

class CategoryObserver {
public:
    virtual ~CategoryObserver() = default;

    // The category's slots changed in more than one place: show them all again.
    virtual void refillEntries(const Category& category) = 0;
    // Select exactly these slots, focus the last one and scroll it into view.
    virtual void selectSlots(const Category& category, std::span<const int> slots) = 0;
};

} // namespace pelmora::model
