#pragma once
// What every command works with: the editor session with the user's
// settings and, for the card commands, the card plug-in bound from the
// program's folder.

#include "CsvRow.h"
#include "EditorSession.h"
#include "PhoneBookFileOptions.h"

#include <filesystem>
#include <optional>

namespace pelmora::cli {

class Session {
public:
    // settingsFile: the --settings option; else the editor's own Velmet.ini.
    explicit Session(const std::optional<std::filesystem::path>& settingsFile);

    [[nodiscard]] const velmet::Settings& settings() const { return m_editor.settings(); }
    [[nodiscard]] model::PhoneBookFileOptions fileOptions() const;
    // The locale's list separator, as the editor uses for .csv files.
    [[nodiscard]] char16_t separator() const;
    [[nodiscard]] model::CsvHeaderTexts csvHeader() const;

    // The session with the plug-in bound; Failure when libBrontel.so cannot be bound.
    [[nodiscard]] model::EditorSession& withPlugin();
    [[nodiscard]] const model::PluginCalls& plugin() { return withPlugin().plugin(); }

private:
    model::EditorSession m_editor;
};

} // namespace pelmora::cli
