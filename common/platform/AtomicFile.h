#pragma once
// Whole-file reads, and whole-file replacement that never leaves a
// half-written file behind: the bytes go to a temporary file in the target's
// folder, which is flushed and renamed over the target only when every byte
// was written.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace pelmora::platform {

// Returns nothing on success, else the reason; errno is left at the error of
// the failing call. An existing target keeps its permission bits and owner;
// a symbolic link is followed and its target replaced.
[[nodiscard]] std::optional<std::string> writeFileAtomically(const std::filesystem::path& target,
                                                             std::span<const uint8_t> bytes);

// Reads a whole file. Returns nothing and sets error when it cannot be read;
// a missing file gives std::errc::no_such_file_or_directory.
[[nodiscard]] std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path& file,
                                                                std::error_code& error);

} // namespace pelmora::platform
