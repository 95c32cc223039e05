#pragma once
// The ADN-style books under DF telecom (TS 51.011 10.5.1 to 10.5.6) and the
// extension files their long numbers continue in (10.5.10).

#include "books/RecordFile.h"
#include "card/FileId.h"
#include "card/SimFileInfo.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace brontel {

class CallOutcome;
class CardDirectory;

struct StandardBook {
    FileId ef;
    std::optional<FileId> extension;
    // Bytes after the 14-byte number part: EF BDN ends with a comparison
    // method pointer (TS 51.011 10.5.6).
    size_t trailingBytes = 0;
    // Writing the book may free extension records that no other book refers
    // to. MSISDN and LND only take records: the books sharing EXT1 with them
    // are too large to survey on every write.
    bool releasesExtensions = false;

    [[nodiscard]] size_t minRecordLength() const;
};

// The book kept in an EF; an unknown EF is a book without extension records.
[[nodiscard]] StandardBook standardBook(FileId ef);

// Enters DF telecom and describes the book's file into info. nullopt, with the
// failure noted, when that fails or the file cannot hold the book's records.
[[nodiscard]] std::optional<RecordFile> openStandardBook(CardDirectory& directory,
                                                         const StandardBook& book,
                                                         SimFileInfo& info, CallOutcome& outcome);

// The other books whose numbers continue in the same extension file.
[[nodiscard]] std::vector<StandardBook> booksSharingExtension(const StandardBook& book);

} // namespace brontel
