#pragma once
// Rebuilding the caches that desktops read: the MIME database from its
// packages, and the desktop-entry MIME cache.

#include <filesystem>

namespace pelmora::qulvio {

// Runs update-mime-database on dataHome/mime and update-desktop-database on
// dataHome/applications, waiting for both. A missing tool is skipped;
// returns whether the MIME database was rebuilt.
bool rebuildMimeCaches(const std::filesystem::path& dataHome);

} // namespace pelmora::qulvio
