#pragma once
// The .vcf file of a document: one vCard per used entry of the phone book
// and the iDEN book, UTF-8, with CRLF line ends and lines folded at 75 octets.

#include <cstdint>
#include <vector>

namespace pelmora::model {

class Category;
class Document;

enum class VcardVersion { V3, V4 };

struct VcardContent {
    std::vector<uint8_t> bytes;
    std::vector<const Category*> books; // the books whose entries the file holds
};

[[nodiscard]] VcardContent writeVcard(const Document& document, VcardVersion version);

} // namespace pelmora::model
