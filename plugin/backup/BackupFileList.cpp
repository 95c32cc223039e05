#include "backup/BackupFileList.h"

#include <array>

namespace brontel {
namespace {

// The extension files hold the digits of long numbers (TS 51.011 10.5.10):
// the books' records point into them, so a restore without them would leave
// those numbers cut short, or ending in another number's digits.
constexpr std::array kFullList{
    files::kTelecom,     files::kAdn,       files::kFdn,  files::kMsisdn,      files::kLnd,
    files::kSdn,         files::kBdn,       files::kSms,  files::kExt1,        files::kExt2,
    files::kExt3,        files::kExt4,      files::kIden, files::kIdenValues1, files::kIdenValues2,
    files::kIdenValues3, files::kIdenEmail,
};

// The iDEN directory and its files: the tail of the full list.
constexpr size_t kIdenListStart = 12;
static_assert(kFullList[kIdenListStart] == files::kIden);

} // namespace

std::span<const FileId> fullBackupList() {
    return kFullList;
}

bool choosesEverything(int selection) {
    return static_cast<uint16_t>(static_cast<unsigned>(selection) & 0xFFFF) == kBackupEverything;
}

std::vector<FileId> backupListFor(int selection) {
    const auto value = static_cast<uint16_t>(static_cast<unsigned>(selection) & 0xFFFF);
    if (choosesEverything(selection)) {
        return {kFullList.begin(), kFullList.end()};
    }
    if (value == kBackupIdenBook) {
        return {kFullList.begin() + kIdenListStart, kFullList.end()};
    }
    return {files::kTelecom, FileId{value}};
}

} // namespace brontel
