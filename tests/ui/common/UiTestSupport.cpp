#include "UiTestSupport.h"

#include "LangText.h"
#include "LanguageFile.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace pelmora::ui::testing {

bool useShippedLanguage(const QString& section) {
    const char* path = std::getenv("PELMORA_LANG_FILE");
    if (path == nullptr || !std::filesystem::exists(path))
        return false;
    velmet::useLanguage(std::make_shared<velmet::LanguageFile>(velmet::LanguageFile::load(path)),
                        section.toStdU16String());
    return true;
}

} // namespace pelmora::ui::testing
