#pragma once
// What every command works with: the user's settings and, for the card
// commands, the card plug-in bound from the program's folder.

#include "CsvRow.h"
#include "PhoneBookFileOptions.h"
#include "PluginBinding.h"
#include "PluginCalls.h"
#include "Settings.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace pelmora::cli {

class Session {
public:
    // settingsFile: the --settings option; else the editor's own Velmet.ini.
    explicit Session(const std::optional<std::filesystem::path>& settingsFile);

    [[nodiscard]] const velmet::Settings& settings() const { return m_settings; }
    [[nodiscard]] model::PhoneBookFileOptions fileOptions() const;
    // The locale's list separator, as the editor uses for .csv files.
    [[nodiscard]] char16_t separator() const;
    [[nodiscard]] model::CsvHeaderTexts csvHeader() const;

    // The bound plug-in; Failure when libBrontel.so cannot be bound.
    [[nodiscard]] const model::PluginCalls& plugin();

private:
    velmet::Settings m_settings;
    model::PluginBinding m_binding;
    std::unique_ptr<model::PluginCalls> m_calls;
};

} // namespace pelmora::cli
