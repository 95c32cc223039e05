#pragma once
// "Velmet --check": where the program found its language file, icon bundle
// and card plug-in, one line each on standard output, without opening a
// window. For installers and packagers.

#include "PluginBinding.h"
#include "Settings.h"

#include <QStringList>

namespace pelmora::ui {

inline constexpr const char* kInstallCheckOption = "--check";

// True when the arguments ask for the check.
[[nodiscard]] bool installCheckRequested(const QStringList& arguments);
// Prints the report; 0 when all three were found, else 1.
[[nodiscard]] int runInstallCheck(const velmet::Settings& settings,
                                  const model::PluginBinding& plugin);

} // namespace pelmora::ui
