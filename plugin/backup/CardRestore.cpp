#include "backup/CardRestore.h"

#include "backup/BackupFile.h"
#include "backup/BackupFileList.h"
#include "backup/BackupResult.h"
#include "backup/RecordKey.h"
#include "backup/StoredRecord.h"
#include "backup/UsimBookBackup.h"
#include "card/SIMCard.h"

#include "AtomicFile.h"
#include "Log.h"
#include "ProfileDocument.h"

namespace brontel {
namespace {

using pelmora::platform::ProfileDocument;

class RecordWriter {
public:
    RecordWriter(SIMCard& card, const ProfileDocument& document)
        : m_card(card), m_document(document) {}

    // Writes the stored value of one record, if the section has one.
    void restore(const BackupFile& file, const std::u16string& section, int record, uint8_t mode) {
        const std::u16string key = recordKey(record);
        const auto text = m_document.value(section, key);
        if (!text || text->empty()) {
            return; // the record stays as it is
        }
        m_attempted = true;
        const auto stored = m_document.structValue(section, key);
        const auto fitted =
            stored ? fitStoredRecord(file.id, *stored, file.info.recordLength) : std::nullopt;
        if (!fitted) {
            pelmora::log::log_message(pelmora::log::kWarning, "restore_sim",
                                      "%04X record %d: value not usable",
                                      static_cast<unsigned>(file.id.value), record);
            m_outcome.valueDidNotFit();
            return;
        }
        if (!m_card.update_record(static_cast<uint8_t>(record), file.info.recordLength, mode,
                                  *fitted)) {
            m_outcome.commandFailed(m_card);
        }
    }

    void refuseRecordsBeyondLimit() { m_outcome.valueDidNotFit(); }

    void restoreUsimBook(const BackupProgress& progress) {
        if (brontel::restoreUsimBook(m_card, m_document, m_outcome, progress)) {
            m_attempted = true;
        }
    }

    [[nodiscard]] int finish() const { return m_attempted ? finishCall(m_outcome, m_card) : 0; }

private:
    SIMCard& m_card;
    const ProfileDocument& m_document;
    CallOutcome m_outcome;
    bool m_attempted = false;
};

} // namespace

int restoreCard(SIMCard& card, const std::filesystem::path& backup, BackupProgress progress) {
    std::error_code readError;
    const auto bytes = pelmora::platform::readWholeFile(backup, readError);
    if (!bytes) {
        pelmora::log::log_message(pelmora::log::kError, "restore_sim", "cannot read %s: %s",
                                  backup.c_str(), readError.message().c_str());
        card.set_last_error(readError.value(), 0);
        return 0;
    }
    const ProfileDocument document = ProfileDocument::parse(*bytes);
    if (!card.select(files::kMasterFile)) {
        return 0;
    }

    RecordWriter writer(card, document);
    forEachBackupFile(card, fullBackupList(), [&](const BackupFile& file) {
        if (!file.userMayUpdate()) {
            return;
        }
        const std::u16string section = file.sectionName();
        if (document.keyNames(section).empty()) {
            return;
        }
        const int count = file.recordsToProcess();
        if (file.isCyclic()) {
            // Each update in previous mode makes the oldest record the
            // newest: writing the highest number first leaves saved record 1
            // as record 1.
            for (int record = count; record >= 1; --record) {
                writer.restore(file, section, record, SIMCard::kModePrevious);
                progress.recordDone(record, count, file.id);
            }
        } else {
            for (int record = 1; record <= count; ++record) {
                writer.restore(file, section, record, SIMCard::kModeAbsolute);
                progress.recordDone(record, count, file.id);
            }
        }
        if (file.hasRecordsBeyondLimit()) {
            writer.refuseRecordsBeyondLimit();
        }
    });
    writer.restoreUsimBook(progress);
    return writer.finish();
}

} // namespace brontel
