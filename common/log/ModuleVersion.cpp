#include "ModuleVersion.h"

#include "Folders.h"

namespace pelmora::log {

std::string formatFileVersion(uint32_t mostSignificant, uint32_t leastSignificant) {
    const uint32_t minor = mostSignificant & 0xFFFF;
    std::string text = std::to_string(mostSignificant >> 16);
    text += minor < 10 ? ".0" : ".";
    text += std::to_string(minor);
    if ((leastSignificant & 0xFFFF) != 0) {
        text += "." + std::to_string(leastSignificant >> 16) + "." +
                std::to_string(leastSignificant & 0xFFFF);
    } else if (leastSignificant > 0xFFFF) {
        text += "." + std::to_string(leastSignificant >> 16);
    }
    return text;
}

ModuleVersion moduleVersion(const std::filesystem::path& module) {
    ModuleVersion version;
    version.path = (module.empty() ? platform::programPath() : module).string();
    std::error_code error;
    if (version.path.empty() || !std::filesystem::exists(version.path, error)) {
        version.fileVersion = version.productVersion = version.productName = version.description =
            version.copyright = "Unknown";
        return version;
    }
    version.fileVersion = formatFileVersion(PELMORA_VERSION_MAJOR << 16 | PELMORA_VERSION_MINOR,
                                            PELMORA_VERSION_PATCH << 16 | PELMORA_VERSION_TWEAK);
    version.productVersion = PELMORA_VERSION;
    version.productName = "Pelmora";
    version.description = "Pelmora SIM card editor";
    version.copyright = "Copyright (C) Pelmora developers";
    return version;
}

} // namespace pelmora::log
