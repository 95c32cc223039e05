#pragma once
// The .phn document file: an INI profile with one section per book, named by
// the book's file id ("6F3A"), and numbered keys per entry ("n1", "t1", ...).
// Written as UTF-16LE with a byte-order mark; files in the ANSI code page or
// UTF-8 are read as well.

#include "PhoneBookFileOptions.h"
#include "ProfileDocument.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

class Category;
class Document;
class FileDocument;

struct PhnContent {
    platform::ProfileDocument profile;
    std::vector<const Category*> books; // the books the file holds
};

// Every book of the document that has slots, in document order.
[[nodiscard]] PhnContent writePhn(const Document& document, const PhoneBookFileOptions& options);

// A file document named name with the books of the profile; nullptr when the
// profile holds none of the book sections.
[[nodiscard]] std::unique_ptr<FileDocument> readPhn(const platform::ProfileDocument& profile,
                                                    std::u16string_view name,
                                                    const PhoneBookFileOptions& options);

// Whether the profile holds any book section.
[[nodiscard]] bool holdsPhoneBooks(const platform::ProfileDocument& profile);

// Why the profile cannot be read whole: a book with more entries than a book
// can hold, or an entry whose keys stop short (a file cut at a line end);
// nothing when it can. file names the file in the message.
[[nodiscard]] std::optional<std::u16string>
phnContentFault(const platform::ProfileDocument& profile, std::u16string_view file);

} // namespace pelmora::model
