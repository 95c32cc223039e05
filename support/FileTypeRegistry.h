#pragma once
// File-type registration on a freedesktop desktop. A registration is a MIME
// type "application/x-<identifier stem>" declared by a shared-MIME-info
// package with one glob per extension, a desktop entry "<stem>.desktop" that
// opens the files with the program, and that entry made the type's default in
// mimeapps.list. The desktop entry records the identifier and the extensions,
// so that only registrations made here are ever changed or removed.

#include "KeyFile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::qulvio {

// The icon-theme name of the program's own icon.
inline constexpr std::string_view kProgramIcon = "pelmora";

// Every text is UTF-8; an empty one selects its default.
struct Association {
    std::string extension;   // "phn" or ".phn"
    std::string identifier;  // default: the extension upper-cased + ".Document"
    std::string openText;    // default: "Open with <program file name>"
    std::string prefix;      // arguments before the file name
    std::string description; // default: "<program base name> Document"
    std::string iconFile;    // default, and when it cannot be read: the program's icon
    int iconIndex = -1;      // an icon file holds one picture here; kept for the caller's sake
};

class FileTypeRegistry {
public:
    // dataHome and configHome are the XDG base folders; program is the
    // executable that registered files open with.
    FileTypeRegistry(std::filesystem::path dataHome, std::filesystem::path configHome,
                     std::filesystem::path program);

    // Registers the extension; false when the extension is empty or unusable,
    // the program path cannot stand in a desktop entry, another program's
    // desktop entry has the name, or a file cannot be written (what was
    // written before stays).
    [[nodiscard]] bool associate(const Association& association);

    // Removes the extension from the registrations made here; a registration
    // left without extensions is removed whole. Another program's types,
    // desktop entries and defaults are never touched. False only for an
    // empty extension.
    [[nodiscard]] bool unassociate(std::string_view extension);

private:
    struct OwnEntry {
        std::filesystem::path file;
        KeyFile entry;
        std::string identifier;
        std::string mimeType;
        std::vector<std::string> extensions;
    };

    std::filesystem::path m_dataHome;
    std::filesystem::path m_configHome;
    std::filesystem::path m_program;

    [[nodiscard]] std::filesystem::path applicationsFolder() const;
    [[nodiscard]] std::filesystem::path packagesFolder() const;
    [[nodiscard]] std::filesystem::path mimeappsList() const;
    [[nodiscard]] std::vector<OwnEntry> ownEntries() const;
    [[nodiscard]] bool writePackage(const OwnEntry& own) const;
    bool removeExtension(OwnEntry& own, std::string_view extension) const;
    [[nodiscard]] bool makeDefault(const std::string& mimeType,
                                   const std::string& desktopFile) const;
    void dropDefault(const std::string& mimeType, const std::string& desktopFile) const;
};

} // namespace pelmora::qulvio
