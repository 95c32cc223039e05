// A backup file read from any bytes: each record file's section, each stored
// record's value, and the value fitted to records of any length.
#include "FuzzSupport.h"

#include "backup/BackupFile.h"
#include "backup/BackupFileList.h"
#include "backup/RecordKey.h"
#include "backup/StoredRecord.h"

#include "ProfileDocument.h"

using namespace brontel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const size_t recordLength = data[0];
    const auto document =
        pelmora::platform::ProfileDocument::parse(pelmora::fuzz::bytesOf(data + 1, size - 1));
    for (const std::u16string& section : document.sectionNames()) {
        for (const FileId id : fullBackupList()) {
            BackupFile file;
            file.id = id;
            for (const FileId directory :
                 {files::kMasterFile, files::kTelecom, files::kGsm, files::kIden}) {
                file.directory = directory;
                if (file.sectionName() != section) {
                    continue;
                }
                for (int record = 1; record <= kMaxBackupRecords; ++record) {
                    const auto stored = document.structValue(section, recordKey(record));
                    if (!stored) {
                        continue;
                    }
                    const auto fitted = fitStoredRecord(id, *stored, recordLength);
                    if (fitted && fitted->size() != recordLength) {
                        pelmora::fuzz::propertyBroken("a fitted record has the card's length");
                    }
                }
            }
        }
    }
    return 0;
}
