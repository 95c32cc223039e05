#include "SupportLibrary.h"

#include "SupportLibraryHandle.h"

#include <QString>

namespace pelmora::ui {

namespace {

using SetLangIni = int (*)(const char* languageFile, const char* section);
using AboutDialog = int (*)(void* parent);

} // namespace

bool showSupportAbout(QWidget* parent, const std::filesystem::path& library,
                      const std::filesystem::path& languageFile, const std::u16string& section) {
    const velmet::SupportLibraryHandle loaded(library);
    const auto setLangIni = loaded.function<SetLangIni>("set_lang_ini");
    const auto aboutDialog = loaded.function<AboutDialog>("AboutDialog");
    if (setLangIni == nullptr || aboutDialog == nullptr)
        return false;
    (void)setLangIni(languageFile.c_str(), QString::fromStdU16String(section).toUtf8().constData());
    (void)aboutDialog(parent);
    return true;
}

} // namespace pelmora::ui
