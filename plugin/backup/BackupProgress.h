#pragma once
// The caller's progress callback of a backup or restore, called after every
// record attempted, whatever became of it.

#include "Brontel.h"

#include "card/FileId.h"

#include <cstdint>

namespace brontel {

struct BackupProgress {
    BackupCallback callback = nullptr;
    intptr_t user = 0;

    void recordDone(int record, int recordCount, FileId file) const {
        if (callback != nullptr) {
            (void)callback(record, recordCount, file.value, 0, user);
        }
    }
};

} // namespace brontel
