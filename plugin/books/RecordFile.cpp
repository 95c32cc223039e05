#include "books/RecordFile.h"

#include <algorithm>

namespace brontel {

bool isRecordFile(const SimFileInfo& info) {
    return info.fileType == kFileTypeEf && info.recordLength != 0 &&
           (info.structure == kLinearFixed || info.structure == kCyclic);
}

std::optional<RecordFile> usableRecordFile(FileId id, const SimFileInfo& info,
                                           size_t minRecordLength) {
    if (!isRecordFile(info) || info.recordLength < minRecordLength) {
        return std::nullopt;
    }
    return RecordFile{id, info.recordLength, std::min<int>(info.recordCount(), kMaxRecordNumber),
                      info.structure == kCyclic};
}

} // namespace brontel
