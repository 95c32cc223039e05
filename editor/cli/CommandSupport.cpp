#include "CommandSupport.h"

#include "BookKind.h"
#include "BookNames.h"
#include "CaseInsensitive.h"
#include "Failure.h"
#include "LangText.h"
#include "PhoneBookFiles.h"
#include "Terminal.h"

namespace pelmora::cli {

namespace {

constexpr int kWrittenAsUtf16Text = 357;

} // namespace

void requireBookFileExtension(const std::filesystem::path& file, const std::string& command) {
    const std::u16string extension = utf16(file.extension().string());
    if (!platform::equalsIgnoreCase(extension, u".phn") &&
        !platform::equalsIgnoreCase(extension, u".csv") &&
        !platform::equalsIgnoreCase(extension, u".vcf")) {
        throw UsageError("'" + file.string() + "' must end in .phn, .csv or .vcf", command);
    }
}

std::unique_ptr<model::FileDocument> openBookFile(Session& session,
                                                  const std::filesystem::path& file,
                                                  std::optional<uint16_t>* csvBook) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        throw Failure("cannot read '" + file.string() + "': it is a folder");
    }
    model::OpenOutcome opened =
        model::openDocument(file, session.separator(), session.fileOptions());
    if (!opened.document) {
        throw Failure("cannot read '" + file.string() + "': " +
                      (opened.error.empty() ? std::string("not a phone-book file") : opened.error));
    }
    for (const std::u16string& warning : opened.warnings) {
        printError(file.string() + ": " + utf8(warning));
    }
    if (csvBook != nullptr) {
        *csvBook = opened.csvBook;
    }
    return std::move(opened.document);
}

void saveBookFile(Session& session, model::Document& document, const std::filesystem::path& file,
                  bool vcard4) {
    model::PhoneBookFileOptions options = session.fileOptions();
    options.vcard4 = vcard4;
    const model::SaveOutcome saved =
        model::saveDocument(document, file, session.separator(), session.csvHeader(), options);
    if (saved.error) {
        throw Failure("cannot write '" + file.string() + "': " + *saved.error);
    }
    if (saved.csvWrittenAsUtf16) {
        printError(utf8(velmet::langText(kWrittenAsUtf16Text, utf16(file.string()))));
    }
}

std::string bookLabel(uint16_t kind) {
    return utf8(model::bookCaption(kind)) + " (" + bookWord(kind) + ")";
}

} // namespace pelmora::cli
