// The C entry points: ANSI strings in, UTF-8 registration out, and no
// exception ever crosses back to the caller.

#include "Qulvio.h"

#include "CodePage.h"
#include "FileTypeRegistry.h"
#include "Folders.h"
#include "Log.h"

#include <dlfcn.h>

#include <string>

namespace {

using namespace pelmora;

std::string fromAnsi(const char* text) {
    return text ? platform::toUtf8(platform::fromAnsi(text)) : std::string();
}

// This library's own file, for the log header.
std::filesystem::path libraryFile() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&UnAssociate), &info) == 0 || !info.dli_fname) {
        return {};
    }
    return info.dli_fname;
}

void startLog() {
    const std::filesystem::path modules[] = {libraryFile()};
    log::init_log("orvane_about", modules);
}

qulvio::FileTypeRegistry registry() {
    // configFolder() is the program's own folder inside the XDG config home.
    return qulvio::FileTypeRegistry(platform::dataHome(), platform::configFolder().parent_path(),
                                    platform::programPath());
}

} // namespace

extern "C" {

int AssociateEx(const char* extension, const char* identifier, const char* openText,
                const char* prefix, const char* description, const char* iconFile, int iconIndex) {
    try {
        startLog();
        log::log_message(log::kTrace, "AssociateEx", "extension \"%s\" identifier \"%s\" icon %d",
                         extension ? extension : "(null)", identifier ? identifier : "(null)",
                         iconIndex);
        if (!extension || !*extension) {
            return 0;
        }
        qulvio::Association association{
            fromAnsi(extension),   fromAnsi(identifier), fromAnsi(openText), fromAnsi(prefix),
            fromAnsi(description), fromAnsi(iconFile),   iconIndex};
        const int result = registry().associate(association) ? 1 : 0;
        log::log_message(log::kTrace, "AssociateEx", "result %d", result);
        return result;
    } catch (...) {
        return 0;
    }
}

int Associate(const char* extension, const char* identifier, const char* openText,
              const char* prefix, const char* description) {
    return AssociateEx(extension, identifier, openText, prefix, description, nullptr, -1);
}

int UnAssociate(const char* extension) {
    try {
        startLog();
        log::log_message(log::kTrace, "UnAssociate", "extension \"%s\"",
                         extension ? extension : "(null)");
        if (!extension || !*extension) {
            return 0;
        }
        return registry().unassociate(fromAnsi(extension)) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

} // extern "C"
