#pragma once
// A book printed as a table: the used entries of a phone book, or the
// messages of the message book.

#include "Category.h"

namespace pelmora::cli {

// A caption line, then the table (or a line saying the book is empty).
void printBook(const model::Category& book, bool showDeletedMessages);

} // namespace pelmora::cli
