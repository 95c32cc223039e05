#include "backup/BackupFile.h"

#include "BackupSections.h"
#include "card/SIMCard.h"

#include <algorithm>

namespace brontel {
namespace {

// TS 51.011 9.3: levels 4 to E are administrative, F is never.
constexpr uint8_t kFirstAdministrativeLevel = 0x4;

bool isRecordFile(const SimFileInfo& info) {
    return info.fileType == kFileTypeEf && info.structure != kTransparent && info.recordLength != 0;
}

static_assert(files::kTelecom.value == kBackupBookDirectory);

} // namespace

std::u16string BackupFile::sectionName() const {
    return backupSectionName(directory.value, id.value);
}

uint8_t BackupFile::recordsToProcess() const {
    return static_cast<uint8_t>(std::min(info.recordCount(), kMaxBackupRecords));
}

bool BackupFile::hasRecordsBeyondLimit() const {
    return info.recordCount() > kMaxBackupRecords;
}

bool BackupFile::userMayRead() const {
    return info.readCondition < kFirstAdministrativeLevel;
}

bool BackupFile::userMayUpdate() const {
    return info.updateCondition < kFirstAdministrativeLevel;
}

void forEachBackupFile(SIMCard& card, std::span<const FileId> list,
                       const std::function<void(const BackupFile&)>& visit) {
    FileId directory{0x0000};
    for (const FileId id : list) {
        SimFileInfo info;
        if (!card.select(id, &info.length) || !card.status(&info, 0)) {
            continue;
        }
        if (info.isDirectory()) {
            directory = id;
        } else if (isRecordFile(info)) {
            visit(BackupFile{directory, id, info});
        }
    }
}

} // namespace brontel
