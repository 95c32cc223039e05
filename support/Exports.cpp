// The C entry points: ANSI strings in, UTF-8 registration out, and no
// exception ever crosses back to the caller.

#include "Qulvio.h"

#include "AboutBox.h"
#include "CodePage.h"
#include "FileTypeRegistry.h"
#include "Folders.h"
#include "Log.h"

#include <QApplication>

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

// The language set by set_lang_ini; used only from the caller's GUI thread.
struct AboutLanguage {
    std::filesystem::path file = platform::dataFile("lang.ini");
    std::u16string section = u"en";
};

AboutLanguage& aboutLanguage() {
    static AboutLanguage language;
    return language;
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

int set_lang_ini(const char* languageFile, const char* section) {
    try {
        startLog();
        log::log_message(log::kTrace, "set_lang_ini", "file \"%s\" section \"%s\"",
                         languageFile ? languageFile : "(null)", section ? section : "(null)");
        if (!languageFile || !*languageFile) {
            return 0;
        }
        AboutLanguage& language = aboutLanguage();
        language.file = languageFile;
        language.section = section ? QString::fromUtf8(section).toStdU16String() : u"";
        return 1;
    } catch (...) {
        return 0;
    }
}

int AboutDialog(void* parent) {
    try {
        startLog();
        // Widgets need the caller's application object; a console host has none.
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
            log::log_message(log::kTrace, "AboutDialog", "no QApplication");
            return 0;
        }
        const AboutLanguage& language = aboutLanguage();
        const qulvio::AboutTexts texts(language.file, language.section);
        qulvio::AboutBox box(qulvio::currentAboutFacts(), texts, static_cast<QWidget*>(parent));
        (void)box.exec();
        return 1;
    } catch (...) {
        return 0;
    }
}

} // extern "C"
