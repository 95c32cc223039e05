#pragma once
// A record file of the card as a backup sees it: where it sits, how it is
// described, and the walk over a file list that finds such files.

#include "card/FileId.h"
#include "card/SimFileInfo.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace brontel {

class SIMCard;

// Record numbers are one byte and FF names no record: records beyond this
// number are never read or written.
inline constexpr uint16_t kMaxBackupRecords = 254;

struct BackupFile {
    FileId directory; // the directory described last before the file; 0000 before any
    FileId id;
    SimFileInfo info;

    // "7F10 - 6F3A": the section of the backup that holds the file's records.
    [[nodiscard]] std::u16string sectionName() const;
    // Records a backup or restore works on: the file's, up to kMaxBackupRecords.
    [[nodiscard]] uint8_t recordsToProcess() const;
    [[nodiscard]] bool hasRecordsBeyondLimit() const;
    // Access levels 4 to F (administrative, never) are beyond every user:
    // such files are left alone rather than failing record by record.
    [[nodiscard]] bool userMayRead() const;
    [[nodiscard]] bool userMayUpdate() const;
    [[nodiscard]] bool isCyclic() const { return info.structure != kLinearFixed; }
};

// Selects and describes each id of the list in turn, remembering the last
// directory described, and calls visit for every record file found (an EF
// whose structure is not transparent and whose records are not empty). Ids
// that the card does not have, or cannot describe, are passed over.
void forEachBackupFile(SIMCard& card, std::span<const FileId> list,
                       const std::function<void(const BackupFile&)>& visit);

} // namespace brontel
