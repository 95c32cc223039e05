#pragma once
// The files a backup covers, in the order they are selected. Each id is
// selected relative to the one before it, so a directory comes ahead of its
// elementary files.

#include "card/FileId.h"

#include <span>
#include <vector>

namespace brontel {

// Selection value (low 16 bits) that chooses every file.
inline constexpr uint16_t kBackupEverything = 0xFFFF;
// Selection value that chooses the iDEN phone book.
inline constexpr uint16_t kBackupIdenBook = 0x0000;

// DF telecom with its books, messages and extension records, then the iDEN
// directory and its files.
[[nodiscard]] std::span<const FileId> fullBackupList();

// Whether the selection chooses every file (and with them the USIM phone book).
[[nodiscard]] bool choosesEverything(int selection);

// The list a selection chooses: kBackupEverything the full list,
// kBackupIdenBook the iDEN directory, any other value that EF under DF telecom.
[[nodiscard]] std::vector<FileId> backupListFor(int selection);

} // namespace brontel
