#pragma once
// The .csv file: a header line, then one row per contact of the ADN and iDEN
// books (or of every phone book), in the user's list separator.

#include "CsvRow.h"
#include "PhoneBookFileOptions.h"
#include "TextFileDecoding.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

class Category;
class Document;
class FileDocument;

struct CsvContent {
    std::vector<uint8_t> bytes;
    bool utf16 = false; // UTF-16LE with a byte-order mark, else the ANSI code page
    // ANSI was asked for, but some text has no place in the code page.
    bool ansiWouldLoseText = false;
    std::vector<const Category*> books; // the books whose entries the file holds
};

[[nodiscard]] CsvContent writeCsv(const Document& document, char16_t separator,
                                  const CsvHeaderTexts& header,
                                  const PhoneBookFileOptions& options);

struct CsvDocument {
    std::unique_ptr<FileDocument> document;
    TextFileEncoding encoding = TextFileEncoding::Ansi;
    size_t rows = 0; // rows below the header
    // The book the header's layout names: twelve columns the iDEN book, two
    // the ADN. It alone holds what the file holds.
    uint16_t layoutBook = 0;
    // Numbers cut to what a card can store and values left out, by line.
    std::vector<std::u16string> warnings;
};

// The books a .csv file calls for, with its rows imported; the first row is
// the header.
[[nodiscard]] CsvDocument readCsv(std::span<const uint8_t> bytes, std::u16string_view name,
                                  char16_t separator, const PhoneBookFileOptions& options);

} // namespace pelmora::model
