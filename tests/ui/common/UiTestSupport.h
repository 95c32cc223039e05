#pragma once
// What every window test needs: the shipped language file in use.

#include <QString>

namespace pelmora::ui::testing {

// Loads the language file named by PELMORA_LANG_FILE (set by CTest) and uses
// the section; false when it cannot be loaded.
bool useShippedLanguage(const QString& section = QStringLiteral("en"));

} // namespace pelmora::ui::testing
