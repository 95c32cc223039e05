#include "books/StandardBook.h"

#include "card/CallOutcome.h"
#include "books/CardDirectory.h"
#include "card/SIMCard.h"
#include "codec/AdnRecord.h"

#include <array>

namespace brontel {

namespace {

const std::array<StandardBook, 6> kBooks{{
    {files::kAdn, files::kExt1, 0, true},
    {files::kFdn, files::kExt2, 0, true},
    {files::kMsisdn, files::kExt1, 0, false},
    {files::kLnd, files::kExt1, 0, false},
    {files::kSdn, files::kExt3, 0, true},
    {files::kBdn, files::kExt4, 1, true},
}};

} // namespace

size_t StandardBook::minRecordLength() const {
    return codec::kAdnMinRecordLength + trailingBytes;
}

StandardBook standardBook(FileId ef) {
    for (const StandardBook& book : kBooks) {
        if (book.ef == ef) {
            return book;
        }
    }
    return StandardBook{ef, std::nullopt, 0, false};
}

std::optional<RecordFile> openStandardBook(CardDirectory& directory, const StandardBook& book,
                                           SimFileInfo& info, CallOutcome& outcome) {
    std::optional<RecordFile> file;
    if (directory.enter(files::kTelecom) && directory.describe(book.ef, info)) {
        file = usableRecordFile(book.ef, info, book.minRecordLength());
    }
    if (!file) {
        outcome.commandFailed(directory.card());
    }
    return file;
}

std::vector<StandardBook> booksSharingExtension(const StandardBook& book) {
    std::vector<StandardBook> sharing;
    for (const StandardBook& other : kBooks) {
        if (other.ef != book.ef && other.extension && other.extension == book.extension) {
            sharing.push_back(other);
        }
    }
    return sharing;
}

} // namespace brontel
