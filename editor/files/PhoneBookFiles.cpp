#include "PhoneBookFiles.h"

#include "AtomicFile.h"
#include "BookKind.h"
#include "CaseInsensitive.h"
#include "Category.h"
#include "CodePage.h"
#include "CsvFile.h"
#include "FileDocument.h"
#include "FileTextFault.h"
#include "LangText.h"
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

// Why the file was not read, in the user's words.
std::string readRefusal(const std::error_code& error, std::u16string_view name) {
    if (error == std::errc::invalid_argument) {
        return platform::toUtf8(velmet::langText(455, name));
    }
    if (error == std::errc::file_too_large) {
        return platform::toUtf8(velmet::langText(456, name, kMaxPhoneBookFileBytes >> 20));
    }
    return error.message();
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
    const auto bytes = platform::readRegularFile(file, kMaxPhoneBookFileBytes, error);
    const std::u16string name = documentName(file);
    if (!bytes) {
        outcome.error = readRefusal(error, name);
        return outcome;
    }
    if (isVcardFile(file)) {
        VcardDocument read = readVcard(*bytes, name, options);
        outcome.document = std::move(read.document);
        outcome.error = platform::toUtf8(read.error);
        outcome.warnings = std::move(read.warnings);
        return outcome;
    }
    const bool csv = isCsvFile(file);
    const platform::ProfileDocument profile =
        csv ? platform::ProfileDocument() : platform::ProfileDocument::parse(*bytes);
    if (!csv && !holdsPhoneBooks(profile)) {
        outcome.error = "no phone book in the file";
        return outcome;
    }
    const DecodedText decoded = decodeTextFile(*bytes);
    std::optional<FileTextFault> fault = cutFileFault(*bytes, decoded.text);
    if (!fault && csv) {
        fault = csvTextFault(decoded.text, separator);
    }
    if (fault) {
        outcome.error = platform::toUtf8(faultMessage(*fault, name));
        return outcome;
    }
    if (csv) {
        CsvDocument read = readCsv(*bytes, name, separator, options);
        if (read.rows > Category::kMaxSlots) {
            outcome.error = platform::toUtf8(
                velmet::langText(457, name, read.rows, bookCaption(kBookAdn), Category::kMaxSlots));
            return outcome;
        }
        outcome.document = std::move(read.document);
        outcome.csvBook = read.layoutBook;
        outcome.warnings = std::move(read.warnings);
        return outcome;
    }
    if (const auto refused = phnContentFault(profile, name)) {
        outcome.error = platform::toUtf8(*refused);
        return outcome;
    }
    outcome.document = readPhn(profile, name, options);
    if (!outcome.document) {
        outcome.error = "no phone book in the file";
    }
    return outcome;
}

} // namespace pelmora::model
