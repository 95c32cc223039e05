#pragma once
// Contacts of a .vcf file (vCard 2.1, 3.0 and 4.0) as a document with a
// phone book: each number of a card is an entry of its own, named after the
// contact and, for every number past the first, the kind of number
// ("Ann/M"). Cards written from an iDEN book, and cards with an e-mail
// address when the document has an iDEN book, become iDEN contacts.

#include "PhoneBookFileOptions.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

class FileDocument;

struct VcardDocument {
    std::unique_ptr<FileDocument> document; // nullptr when the file is no vCard file
    std::u16string error;                   // why, naming the line
    // What the books could not take as it was written, line by line.
    std::vector<std::u16string> warnings;
};

[[nodiscard]] VcardDocument readVcard(std::span<const uint8_t> bytes, std::u16string_view name,
                                      const PhoneBookFileOptions& options);

} // namespace pelmora::model
