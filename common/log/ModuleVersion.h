#pragma once
// Version strings of a module of this build, as the log header and the About
// box show them. Every deliverable is built from one source tree, so a module
// carries the version that CMake compiled in.

#include <cstdint>
#include <filesystem>
#include <string>

namespace pelmora::log {

struct ModuleVersion {
    std::string path;           // the module's file; the program when none is given
    std::string fileVersion;    // "2.01.1" for 2.1.1.0
    std::string productVersion; // "2.1.1"
    std::string productName;
    std::string description;
    std::string copyright;
};

// Every string is "Unknown" when the file does not exist.
[[nodiscard]] ModuleVersion moduleVersion(const std::filesystem::path& module = {});

// The numeric file version from its two 32-bit halves (major.minor,
// build.revision): the major number; ".0" and the minor number when that is
// below 10, else "." and the minor number; then "." build "." revision when
// the revision is non-zero, or "." build when only the build is.
[[nodiscard]] std::string formatFileVersion(uint32_t mostSignificant, uint32_t leastSignificant);

} // namespace pelmora::log
