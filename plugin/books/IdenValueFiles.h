#pragma once
// The value files of the iDEN phone book (6F2A, 6F2B, 6F2C under DF 7F31),
// taken in this order as one sequence of records numbered from 1. The global
// number of a record is the speed-dial number of the value it holds.

#include "Brontel.h"
#include "books/RecordFile.h"

#include <optional>
#include <vector>

namespace brontel {

class CallOutcome;
class CardDirectory;

struct IdenValueFile {
    RecordFile file;
    int firstNumber = 1; // global number of its record 1
};

struct IdenValueFiles {
    std::vector<IdenValueFile> files; // the value files the card has, in order
    int records = 0;
    // False when a value file's records are too short for the value layout,
    // or a file could not be described: the book is then neither read nor
    // written, as its records could not be numbered.
    bool usable = true;
    int fileSize = 0;                    // over the files listed
    std::optional<SimFileInfo> lastInfo; // description of the last file listed
};

// Enters DF 7F31, then selects and describes each value file; files the card
// lacks, and files that are not record files, are left out. A failure is
// noted in the outcome.
[[nodiscard]] IdenValueFiles openIdenValueFiles(CardDirectory& directory, CallOutcome& outcome);

void reportIdenAttributes(PhoneBookRequest& request, const IdenValueFiles& values);

} // namespace brontel
