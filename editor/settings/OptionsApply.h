#pragma once
// What the Options dialog shows and what its OK does, apart from the widgets.

#include "Settings.h"

#include <string>
#include <vector>

namespace pelmora::velmet {

class FileAssociation;

// The contents of the dialog's controls.
struct OptionsForm {
    std::u16string defaultExtension;     // edit 1145
    std::u16string backupExtension;      // edit 1147
    bool saveWindowPos = true;           // 1148
    bool toolbarMode = true;             // 1150
    bool saveCsvAnsi = true;             // 1160
    bool simReadWriteAll = true;         // 1164
    bool saveOnlyAdnCsv = true;          // 1165
    bool allowEmptyNameContacts = false; // 1166
    bool showButtonText = true;          // 1167
    bool simSaveUpdatedOnly = true;      // 1168
    bool verifyAfterWrite = false;       // 1282: read each written record back
    bool enableLog = false;              // 1169
    bool keepEmptySlots = false;         // 1171: the opposite of SIM_WITHOUT_HOLES
    bool showDeletedSms = false;         // 1172
    std::u16string language;             // 1151: a section name or its "lang" value
};

// The language drop-down: every section's display name, and the entry of the
// current section (-1 when the file has no such section).
struct LanguageList {
    std::vector<std::u16string> names;
    int current = -1;
};

[[nodiscard]] OptionsForm optionsForm(const Settings& settings);
// From the language file in use.
[[nodiscard]] LanguageList languageList(const Settings& settings);

// OK: the form's values into the settings, in the dialog's order. The default
// extension gets a leading "." ("abc" is ".abc", empty is ".*"); the old one
// loses its registration and the new one is registered unless it holds "*",
// and FILTER gains it when missing. The backup extension likewise; turning
// SAVEWINDOWPOS off forgets every remembered rectangle; the chosen language is
// installed; logging is switched on (with its header) or off.
struct OptionsOutcome {
    // The new default extension could not be registered (the support library
    // is missing or refused); the rest of the form was applied.
    bool associationFailed = false;
};
[[nodiscard]] OptionsOutcome applyOptions(Settings& settings, const OptionsForm& form,
                                          FileAssociation& association);

} // namespace pelmora::velmet
