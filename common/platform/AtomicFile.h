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
// a symbolic link is followed and its target replaced (the link stays). A
// target that is not a regular file, or is read-only, is refused.
[[nodiscard]] std::optional<std::string> writeFileAtomically(const std::filesystem::path& target,
                                                             std::span<const uint8_t> bytes);

// Nothing when target (links followed) is missing or a writable regular
// file; else why it must not be replaced, errno set.
[[nodiscard]] std::optional<std::string> replaceableTarget(const std::filesystem::path& target);

// Reads a whole file. Returns nothing and sets error when it cannot be read;
// a missing file gives std::errc::no_such_file_or_directory.
[[nodiscard]] std::optional<std::vector<uint8_t>> readWholeFile(const std::filesystem::path& file,
                                                                std::error_code& error);

// The same for a file that must be a regular file of at most maxBytes:
// anything else (a device, a FIFO, a folder) gives std::errc::invalid_argument
// without a byte read, a larger file std::errc::file_too_large.
[[nodiscard]] std::optional<std::vector<uint8_t>>
readRegularFile(const std::filesystem::path& file, size_t maxBytes, std::error_code& error);

} // namespace pelmora::platform
