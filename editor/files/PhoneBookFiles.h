#pragma once
// Saving a document to a .phn, .csv or .vcf file and opening one, chosen by the
// file's extension. Every save replaces the file atomically: a failed save
// leaves the old file as it was.

#include "CsvRow.h"
#include "PhoneBookFileOptions.h"
#include "TextFileDecoding.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pelmora::model {

class Document;
class FileDocument;

// ".csv" in any letter case.
[[nodiscard]] bool isCsvFile(const std::filesystem::path& file);
// ".vcf" in any letter case.
[[nodiscard]] bool isVcardFile(const std::filesystem::path& file);

struct SaveOutcome {
    std::optional<std::string> error; // nothing on success
    // A .csv asked for in the ANSI code page was written as UTF-16 instead,
    // because some text had no place in the code page.
    bool csvWrittenAsUtf16 = false;
};

// On success the books written are marked saved, and a file document takes
// the file's name.
SaveOutcome saveDocument(Document& document, const std::filesystem::path& file, char16_t separator,
                         const CsvHeaderTexts& header, const PhoneBookFileOptions& options);

// Phone-book files larger than this are refused: no phone holds that much.
inline constexpr size_t kMaxPhoneBookFileBytes = size_t{64} << 20;

struct OpenOutcome {
    std::unique_ptr<FileDocument> document; // nullptr on failure
    std::string error;
    // What an import could not take as the file holds it (names and numbers
    // too long or no number at all); the document holds the rest.
    std::vector<std::u16string> warnings;
    // A .csv holds one book, the one its header's layout names; the other
    // books an open creates stay empty or repeat its rows.
    std::optional<uint16_t> csvBook;
};

[[nodiscard]] OpenOutcome openDocument(const std::filesystem::path& file, char16_t separator,
                                       const PhoneBookFileOptions& options);

// The name a document takes from its file.
[[nodiscard]] std::u16string documentName(const std::filesystem::path& file);

} // namespace pelmora::model
