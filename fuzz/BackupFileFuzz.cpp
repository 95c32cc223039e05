// A backup file read from any bytes: each record file's section, each stored
// record's value, and the value fitted to records of any length.
#include "FuzzSupport.h"

#include "backup/BackupFile.h"
#include "backup/BackupFileList.h"
#include "backup/RecordKey.h"
#include "backup/StoredRecord.h"

#include "ProfileDocument.h"

#include <algorithm>

using namespace brontel;

namespace {

struct NamedFile {
    BackupFile file;
    std::u16string section;
};

// Every record file a backup may hold, with its section's name, made once.
const std::vector<NamedFile>& namedFiles() {
    static const std::vector<NamedFile> files = [] {
        std::vector<NamedFile> named;
        for (const FileId id : fullBackupList()) {
            for (const FileId directory :
                 {files::kMasterFile, files::kTelecom, files::kGsm, files::kIden}) {
                BackupFile file;
                file.id = id;
                file.directory = directory;
                named.push_back({file, file.sectionName()});
            }
        }
        return named;
    }();
    return files;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const size_t recordLength = data[0];
    const auto document =
        pelmora::platform::ProfileDocument::parse(pelmora::fuzz::bytesOf(data + 1, size - 1));
    const std::vector<std::u16string> sections = document.sectionNames();
    for (const NamedFile& named : namedFiles()) {
        if (std::find(sections.begin(), sections.end(), named.section) == sections.end()) {
            continue;
        }
        for (int record = 1; record <= kMaxBackupRecords; ++record) {
            const auto stored = document.structValue(named.section, recordKey(record));
            if (!stored) {
                continue;
            }
            const auto fitted = fitStoredRecord(named.file.id, *stored, recordLength);
            if (fitted && fitted->size() != recordLength) {
                pelmora::fuzz::propertyBroken("a fitted record has the card's length");
            }
        }
    }
    return 0;
}
