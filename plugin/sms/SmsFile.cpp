#include "sms/SmsFile.h"

#include "card/SIMCard.h"

#include <algorithm>

namespace brontel {

std::optional<SmsFile> selectSmsFile(SIMCard& card) {
    SimFileInfo info;
    if (!card.select(files::kMasterFile) || !card.select(files::kTelecom) ||
        !card.select(files::kSms, &info.length) || !card.status(&info, 0)) {
        return std::nullopt;
    }
    if (info.fileType != kFileTypeEf || info.structure != kLinearFixed || info.recordLength == 0) {
        return std::nullopt;
    }
    return SmsFile{info.recordLength, std::min<int>(info.recordCount(), kMaxSmsRecords)};
}

} // namespace brontel
