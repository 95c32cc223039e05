#pragma once
// File services the editor needs besides whole-file replacement: appending
// to a file and reserving a fresh name beside one.

#include <filesystem>
#include <optional>
#include <string_view>

namespace pelmora::platform {

// Appends bytes to file, creating it (mode 0644) when missing; false when
// the file could not be opened or not every byte was written.
[[nodiscard]] bool appendToFile(const std::filesystem::path& file, std::string_view bytes);

// A name beside file that no file had ("file.XXXXXX" made unique); the name is
// free again when this returns. Nothing when none could be reserved.
[[nodiscard]] std::optional<std::filesystem::path>
freshNameBeside(const std::filesystem::path& file);

} // namespace pelmora::platform
