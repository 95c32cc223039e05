#include "books/IdenValueFiles.h"

#include "card/CallOutcome.h"
#include "books/CardDirectory.h"
#include "books/StandardBookReader.h"
#include "codec/IdenValueRecord.h"

#include <array>

namespace brontel {

IdenValueFiles openIdenValueFiles(CardDirectory& directory, CallOutcome& outcome) {
    static constexpr std::array kValueFiles{files::kIdenValues1, files::kIdenValues2,
                                            files::kIdenValues3};
    IdenValueFiles values;
    if (!directory.enter(files::kIden)) {
        outcome.commandFailed(directory.card());
        values.usable = false;
        return values;
    }
    for (FileId id : kValueFiles) {
        SimFileInfo info;
        if (!directory.describe(id, info)) {
            if (directory.fileWasMissing()) {
                continue;
            }
            outcome.commandFailed(directory.card());
            values.usable = false;
            return values;
        }
        if (!isRecordFile(info)) {
            continue;
        }
        const std::optional<RecordFile> file =
            usableRecordFile(id, info, codec::kIdenMinRecordLength);
        if (!file) {
            outcome.commandFailed(directory.card());
            values.usable = false;
            return values;
        }
        values.files.push_back({*file, values.records + 1});
        values.records += file->records;
        values.fileSize += info.fileSize;
        values.lastInfo = info;
    }
    return values;
}

void reportIdenAttributes(PhoneBookRequest& request, const IdenValueFiles& values) {
    if (values.lastInfo) {
        reportFileAttributes(request, *values.lastInfo);
    }
    request.fileSize = values.fileSize;
}

} // namespace brontel
