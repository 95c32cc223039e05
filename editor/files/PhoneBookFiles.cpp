#include "PhoneBookFiles.h"

#include "AtomicFile.h"
#include "CaseInsensitive.h"
#include "Category.h"
#include "CodePage.h"
#include "CsvFile.h"
#include "FileDocument.h"
#include "PhnFile.h"

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

} // namespace

bool isCsvFile(const std::filesystem::path& file) {
    return platform::equalsIgnoreCase(platform::fromUtf8(file.extension().string()), u".csv");
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
        outcome.error = platform::writeFileAtomically(file, content.bytes);
        if (!outcome.error) {
            markSaved(document, content.books, file);
        }
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
    outcome.document = readPhn(platform::ProfileDocument::parse(*bytes), name, options);
    if (!outcome.document) {
        outcome.error = "no phone book in the file";
    }
    return outcome;
}

} // namespace pelmora::model
