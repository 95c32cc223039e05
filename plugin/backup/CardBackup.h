#pragma once
// backup_sim below the C boundary: the card's record files into a backup file.

#include "backup/BackupProgress.h"

#include <filesystem>

namespace brontel {

class SIMCard;

// Reads every record of the files the selection chooses (see backupListFor)
// into the backup file, one section per file and one key per record, and
// saves the file once, atomically; sections and keys it does not write stay
// as they were. A record the card refuses to read gets no key, and loses the
// key an earlier backup gave it. Files only an administrator may read are
// passed over. Returns 1 when every record attempted was read and the file
// saved; otherwise 0 with the first failure as the card's last error (a
// system error number when the backup file could not be read or written).
// 0 also when the card had no record to read.
int backupCard(SIMCard& card, int selection, const std::filesystem::path& backup,
               BackupProgress progress);

} // namespace brontel
