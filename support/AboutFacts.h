#pragma once
// What the About box tells: the program, its licence, the versions of the
// parts it is built from, and where its manual is.

#include <filesystem>
#include <string>

namespace pelmora::qulvio {

struct AboutFacts {
    std::string programName;
    std::string version;
    std::string licence;
    std::string pluginVersion;
    std::string qtVersion;
    std::string pcscVersion;
    std::filesystem::path manual; // empty when the manual is not installed
};

// The facts of this build and the Qt library in use.
[[nodiscard]] AboutFacts currentAboutFacts();

} // namespace pelmora::qulvio
