#pragma once
// restore_sim below the C boundary: a backup file's records onto the card.

#include "backup/BackupProgress.h"

#include <filesystem>

namespace brontel {

class SIMCard;

// Writes the records of the backup file onto the card's record files, with
// the card's record count and length: linear fixed files from record 1 up,
// cyclic files from the last record down in previous mode so that saved
// record 1 ends up the newest. Stored records of another length are fitted
// (fitStoredRecord). A record without a value stays as it is; a value that
// fails its checksum, or cannot be fitted, is not written and counts as a
// failure (kBrontelErrorValueDidNotFit). Files only an administrator may
// update are passed over. Returns 1 when every stored record was written;
// otherwise 0 with the first failure as the card's last error (a system
// error number when the backup file cannot be read). 0 also when nothing
// was written.
int restoreCard(SIMCard& card, const std::filesystem::path& backup, BackupProgress progress);

} // namespace brontel
