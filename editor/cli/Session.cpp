#include "Session.h"

#include "Failure.h"
#include "Folders.h"
#include "LangText.h"
#include "LocaleFormats.h"
#include "ModelSettings.h"
#include "SettingsFile.h"

namespace pelmora::cli {

Session::Session(const std::optional<std::filesystem::path>& settingsFile) {
    velmet::SettingsPlaces places = velmet::SettingsPlaces::forRunningProgram();
    // The window's settings: the command-line editor works as the user set it up there.
    places.settingsFile = settingsFile
                              ? *settingsFile
                              : platform::settingsFile("Velmet.ini", places.program.parent_path());
    m_settings = velmet::loadSettings(places);
}

model::PhoneBookFileOptions Session::fileOptions() const {
    return model::phoneBookFileOptions(m_settings);
}

char16_t Session::separator() const {
    return platform::listSeparator();
}

model::CsvHeaderTexts Session::csvHeader() const {
    return model::csvHeaderTexts();
}

const model::PluginCalls& Session::plugin() {
    if (!m_calls) {
        if (!m_binding.bind(platform::programFolder())) {
            std::string reason = "the card plug-in " + std::string(model::kBrontelLibraryName) +
                                 " could not be loaded";
            if (!m_binding.missingName().empty()) {
                reason += " (it lacks " + std::string(m_binding.missingName()) + ")";
            }
            throw Failure(reason);
        }
        m_calls = std::make_unique<model::PluginCalls>(m_binding);
    }
    return *m_calls;
}

} // namespace pelmora::cli
