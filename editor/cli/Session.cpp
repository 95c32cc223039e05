#include "Session.h"

#include "Failure.h"
#include "Folders.h"
#include "LangText.h"
#include "LocaleFormats.h"
#include "ModelSettings.h"

namespace pelmora::cli {

namespace {

velmet::SettingsPlaces placesFor(const std::optional<std::filesystem::path>& settingsFile) {
    velmet::SettingsPlaces places = velmet::SettingsPlaces::forRunningProgram();
    // The window's settings: the command-line editor works as the user set it up there.
    places.settingsFile = settingsFile
                              ? *settingsFile
                              : platform::settingsFile("Velmet.ini", places.program.parent_path());
    return places;
}

} // namespace

Session::Session(const std::optional<std::filesystem::path>& settingsFile)
    : m_editor(placesFor(settingsFile)) {}

model::PhoneBookFileOptions Session::fileOptions() const {
    return model::phoneBookFileOptions(settings());
}

char16_t Session::separator() const {
    return platform::listSeparator();
}

model::CsvHeaderTexts Session::csvHeader() const {
    return model::csvHeaderTexts();
}

model::EditorSession& Session::withPlugin() {
    if (!m_editor.bindPlugin(platform::programFolder())) {
        std::string reason = "the card plug-in " + std::string(model::kBrontelLibraryName) +
                             " could not be loaded";
        if (!m_editor.binding().missingName().empty()) {
            reason += " (it lacks " + std::string(m_editor.binding().missingName()) + ")";
        }
        throw Failure(reason);
    }
    return m_editor;
}

} // namespace pelmora::cli
