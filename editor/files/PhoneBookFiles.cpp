#include "PhoneBookFiles.h"

#include "AtomicFile.h"
#include "CaseInsensitive.h"
#include "Category.h"
#include "CodePage.h"
#include "CsvFile.h"
#include "FileDocument.h"
#include "PhnFile.h"
#include "VcardReader.h"
#include "VcardWriter.h"

#include <system_error>

namespace pelmora::model {

namespace {

void markSaved(Document& document, const std::vector<const Category*>& books,
               const std::filesystem::path& file) {
    for (const std::unique_ptr<Category>& book : document.categories()) {
        for (const Category* saved : books) {
            if (saved == book.get()) {
                book->markUnchanged();
            }
        }
    }
    if (document.kind() == DocumentKind::File) {
        static_cast<FileDocument&>(document).setName(documentName(file));
    }
}

std::optional<std::string> saveBytes(Document& document, const std::vector<uint8_t>& bytes,
                                     const std::vector<const Category*>& books,
                                     const std::filesystem::path& file) {
    std::optional<std::string> error = platform::writeFileAtomically(file, bytes);
    if (!error) {
        markSaved(document, books, file);
    }
    return error;
}

} // namespace

bool isCsvFile(const std::filesystem::path& file) {
    return platform::equalsIgnoreCase(platform::fromUtf8(file.extension().string()), u".csv");
}

bool isVcardFile(const std::filesystem::path& file) {
    return platform::equalsIgnoreCase(platform::fromUtf8(file.extension().string()), u".vcf");
}

std::u16string documentName(const std::filesystem::path& file) {
    return platform::fromUtf8(file.string());
}

SaveOutcome saveDocument(Document& document, const std::filesystem::path& file, char16_t separator,
                         const CsvHeaderTexts& header, const PhoneBookFileOptions& options) {
    SaveOutcome outcome;
    if (isCsvFile(file)) {
        const CsvContent content = writeCsv(document, separator, header, options);
        outcome.csvWrittenAsUtf16 = content.ansiWouldLoseText;
        outcome.error = saveBytes(document, content.bytes, content.books, file);
        return outcome;
    }
    if (isVcardFile(file)) {
        const VcardContent content =
            writeVcard(document, options.vcard4 ? VcardVersion::V4 : VcardVersion::V3);
        outcome.error = saveBytes(document, content.bytes, content.books, file);
        return outcome;
    }
    const PhnContent content = writePhn(document, options);
    outcome.error = content.profile.save(file);
    if (!outcome.error) {
        markSaved(document, content.books, file);
    }
    return outcome;
}

OpenOutcome openDocument(const std::filesystem::path& file, char16_t separator,
                         const PhoneBookFileOptions& options) {
    OpenOutcome outcome;
    std::error_code error;
    const auto bytes = platform::readWholeFile(file, error);
    if (!bytes) {
        outcome.error = error.message();
        return outcome;
    }
    const std::u16string name = documentName(file);
    if (isCsvFile(file)) {
        outcome.document = readCsv(*bytes, name, separator, options).document;
        return outcome;
    }
    if (isVcardFile(file)) {
        VcardDocument read = readVcard(*bytes, name, options);
        outcome.document = std::move(read.document);
        outcome.error = platform::toUtf8(read.error);
        outcome.warnings = std::move(read.warnings);
        return outcome;
    }
    outcome.document = readPhn(platform::ProfileDocument::parse(*bytes), name, options);
    if (!outcome.document) {
        outcome.error = "no phone book in the file";
    }
    return outcome;
}

} // namespace pelmora::model
