#pragma once
// The USIM phone book (DF PHONEBOOK under DF telecom, TS 31.102 4.4.2) as the
// plug-in reads and writes it: the sets of files its EF PBR records name, and
// the contents of those files read whole into memory, so that a write can
// plan every pointer before it sends a command.

#include "books/RecordFile.h"
#include "card/FileId.h"
#include "card/SimFileInfo.h"
#include "codec/PhoneBookReference.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace brontel {

class CallOutcome;
class CardDirectory;

enum class UsimValueKind : uint8_t { Number, Email, SecondName };

// A file of additional values (ANR, EMAIL, SNE) of one set, with the entry
// field its values go to.
struct UsimValueFile {
    UsimValueKind kind = UsimValueKind::Number;
    codec::ReferenceKind reference = codec::ReferenceKind::ByRecordNumber;
    RecordFile file;
    size_t iapIndex = 0; // the pointer's byte in EF IAP (type 2 files)
    int field = 0;       // value index in PhoneBookEntry
};

// The files of one PBR record.
struct UsimBookSet {
    RecordFile adn;
    std::optional<uint8_t> adnSfi;
    std::optional<RecordFile> iap;
    size_t iapPointers = 0; // type 2 files listed, usable or not
    std::vector<UsimValueFile> values;
    std::optional<RecordFile> uid;
    std::optional<RecordFile> pbc;
    int firstEntry = 0; // index of the set's first ADN record among all entries
};

struct UsimBookLayout {
    std::vector<UsimBookSet> sets;
    std::optional<RecordFile> ext1;
    SimFileInfo firstAdn; // described for the request
    int fileSize = 0;     // of all ADN files
    int entries = 0;
};

// The entry values (bit k for PhoneBookValue k) that no file of the set
// takes, the main number aside.
[[nodiscard]] uint32_t valuesWithoutRoom(const UsimBookSet& set);
// The values that some set of the book has no file for.
[[nodiscard]] uint32_t valuesWithoutRoom(const UsimBookLayout& layout);

// Enters DF PHONEBOOK and surveys the files its EF PBR names. nullopt, with
// the failure noted, when the card has no usable USIM phone book.
[[nodiscard]] std::optional<UsimBookLayout> surveyUsimBook(CardDirectory& directory,
                                                           CallOutcome& outcome);

// Every record of the book's files as read. A transparent counter that is
// missing stays absent.
struct UsimBookImage {
    std::map<uint16_t, std::vector<std::vector<uint8_t>>> records;
    std::map<uint16_t, std::vector<uint8_t>> counters; // PSC, CC, PUID

    [[nodiscard]] const std::vector<uint8_t>* record(const RecordFile& file, size_t number) const;
};

// The record of a value file that belongs to ADN record adnRecord of the set:
// the same number for type 1, the EF IAP pointer for type 2; 0 for none.
[[nodiscard]] size_t valueRecordNumber(const UsimBookImage& image, const UsimBookSet& set,
                                       const UsimValueFile& value, size_t adnRecord);

// Whether an ADN record holds an entry (a name, a number or its extension).
[[nodiscard]] bool holdsEntry(const std::vector<uint8_t>* adn);

// A number followed through the chain of EXT1 records it continues in.
void appendExtensionChain(std::u16string& number, std::optional<uint8_t> first,
                          const UsimBookImage& image, const std::optional<RecordFile>& ext1);

// Reads the layout's files: for a write (withCounters) every record, with UID,
// PBC and the counters PSC, CC and PUID; for a read only the value records
// of ADN records that hold an entry (the others stay empty). nullopt, noted, when a read fails.
[[nodiscard]] std::optional<UsimBookImage> readUsimBook(CardDirectory& directory,
                                                        const UsimBookLayout& layout,
                                                        bool withCounters, CallOutcome& outcome);

} // namespace brontel
