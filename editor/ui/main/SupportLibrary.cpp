#include "SupportLibrary.h"

#include <QString>

#include <dlfcn.h>

namespace pelmora::ui {

namespace {

using SetLangIni = int (*)(const char* languageFile, const char* section);
using AboutDialog = int (*)(void* parent);

class Library {
public:
    explicit Library(const std::filesystem::path& path)
        : m_handle(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        if (m_handle == nullptr)
            m_handle = dlopen(path.filename().c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    ~Library() {
        if (m_handle != nullptr)
            dlclose(m_handle);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    template <typename F> [[nodiscard]] F function(const char* name) const {
        return m_handle == nullptr ? nullptr : reinterpret_cast<F>(dlsym(m_handle, name));
    }

private:
    void* m_handle;
};

} // namespace

bool showSupportAbout(QWidget* parent, const std::filesystem::path& library,
                      const std::filesystem::path& languageFile, const std::u16string& section) {
    const Library loaded(library);
    const auto setLangIni = loaded.function<SetLangIni>("set_lang_ini");
    const auto aboutDialog = loaded.function<AboutDialog>("AboutDialog");
    if (setLangIni == nullptr || aboutDialog == nullptr)
        return false;
    (void)setLangIni(languageFile.c_str(), QString::fromStdU16String(section).toUtf8().constData());
    (void)aboutDialog(parent);
    return true;
}

} // namespace pelmora::ui
