// The backup exports of the plug-in: the card's record files saved to and
// restored from a backup file.

#include "Brontel.h"
#include "backup/CardBackup.h"
#include "backup/CardRestore.h"
#include "card/SIMCard.h"

#include "CodePage.h"

#include <filesystem>
#include <string_view>

namespace {

std::filesystem::path backupPath(const char16_t* path) {
    return pelmora::platform::toUtf8(std::u16string_view(path));
}

} // namespace

extern "C" {

BRONTEL_EXPORT int backup_sim(SimHandle handle, int selection, const char16_t* path,
                              BackupCallback callback, intptr_t user) {
    try {
        if (handle == nullptr || path == nullptr || path[0] == u'\0') {
            return 0;
        }
        return brontel::backupCard(*static_cast<brontel::SIMCard*>(handle), selection,
                                   backupPath(path), {callback, user});
    } catch (...) {
        return 0;
    }
}

BRONTEL_EXPORT int restore_sim(SimHandle handle, const char16_t* path, BackupCallback callback,
                               intptr_t user) {
    try {
        if (handle == nullptr || path == nullptr || path[0] == u'\0') {
            return 0;
        }
        return brontel::restoreCard(*static_cast<brontel::SIMCard*>(handle), backupPath(path),
                                    {callback, user});
    } catch (...) {
        return 0;
    }
}

} // extern "C"
