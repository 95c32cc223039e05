#include "backup/CardBackup.h"

#include "backup/BackupFile.h"
#include "backup/BackupFileList.h"
#include "backup/BackupResult.h"
#include "backup/RecordKey.h"
#include "backup/StoredRecord.h"
#include "backup/UsimBookBackup.h"
#include "card/SIMCard.h"

#include "Log.h"
#include "ProfileDocument.h"

#include <array>
#include <cerrno>

namespace brontel {

using pelmora::platform::ProfileDocument;

int backupCard(SIMCard& card, int selection, const std::filesystem::path& backup,
               BackupProgress progress) {
    // Keys of other sections and files survive a backup, so an existing file
    // that cannot be read must not be replaced.
    std::error_code readError;
    ProfileDocument document = ProfileDocument::load(backup, readError);
    if (readError) {
        pelmora::log::log_message(pelmora::log::kError, "backup_sim", "cannot read %s: %s",
                                  backup.c_str(), readError.message().c_str());
        card.set_last_error(readError.value(), 0);
        return 0;
    }
    if (!card.select(files::kMasterFile)) {
        return 0;
    }

    CallOutcome outcome;
    bool attempted = false;
    std::array<uint8_t, kMaxStoredRecordLength> buffer{};
    forEachBackupFile(card, backupListFor(selection), [&](const BackupFile& file) {
        if (!file.userMayRead()) {
            return;
        }
        const std::u16string section = file.sectionName();
        const uint8_t length = file.info.recordLength;
        const uint8_t count = file.recordsToProcess();
        for (int record = 1; record <= count; ++record) {
            attempted = true;
            const std::u16string key = recordKey(record);
            if (card.read_record(static_cast<uint8_t>(record), length, SIMCard::kModeAbsolute,
                                 buffer)) {
                document.setStructValue(section, key, std::span(buffer).first(length));
            } else {
                // A refused read leaves the buffer holding FF or the status
                // word: saving that would later overwrite the card record.
                outcome.commandFailed(card);
                document.removeKey(section, key);
            }
            progress.recordDone(record, count, file.id);
        }
        if (file.hasRecordsBeyondLimit()) {
            outcome.valueDidNotFit();
        }
    });
    if (choosesEverything(selection) && backupUsimBook(card, document, outcome, progress)) {
        attempted = true;
    }
    if (!attempted) {
        return 0;
    }

    if (const auto reason = document.save(backup)) {
        const int error = errno;
        pelmora::log::log_message(pelmora::log::kError, "backup_sim", "%s", reason->c_str());
        if (outcome.succeeded()) {
            card.set_last_error(error, 0);
            return 0;
        }
    }
    return finishCall(outcome, card);
}

} // namespace brontel
