#pragma once
// A record file as the phone books use it: a linear fixed or cyclic EF with
// records long enough for the layout kept in them.

#include "card/FileId.h"
#include "card/SimFileInfo.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace brontel {

// Record numbers are one byte and 0xFF is no record: files are used up to here.
constexpr int kMaxRecordNumber = 254;

struct RecordFile {
    FileId id;
    uint8_t recordLength = 0;
    int records = 0; // at most kMaxRecordNumber
    bool cyclic = false;
};

// True for a linear fixed or cyclic EF with a non-zero record length.
[[nodiscard]] bool isRecordFile(const SimFileInfo& info);

// nullopt for anything but a record file whose records hold at least
// minRecordLength bytes.
[[nodiscard]] std::optional<RecordFile> usableRecordFile(FileId id, const SimFileInfo& info,
                                                         size_t minRecordLength);

} // namespace brontel
