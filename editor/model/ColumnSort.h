#pragma once
// Sorting a phone book by a column of the entry list.

namespace pelmora::model {

class Category;
class CategoryObserver;

enum class SortColumn { Name = 1, Number = 2 };
enum class SortResult { NotSorted, Ascending, Descending };

// Sorts the non-empty entries by name or number, code unit by code unit;
// empty slots keep their places. A book already in ascending order is sorted
// descending instead. Equal keys keep their relative order. One undo step
// covers the whole book.
SortResult sortByColumn(Category& category, SortColumn column, CategoryObserver* observer);

} // namespace pelmora::model
