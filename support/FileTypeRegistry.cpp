#include "FileTypeRegistry.h"

#include "AtomicFile.h"
#include "DesktopEntryText.h"
#include "FileTypeNames.h"
#include "Log.h"
#include "MimeDatabase.h"
#include "MimePackage.h"

#include <algorithm>
#include <fstream>

namespace pelmora::qulvio {
namespace {

constexpr std::string_view kGroup = "Desktop Entry";
constexpr std::string_view kIdentifierKey = "X-Qulvio-Identifier";
constexpr std::string_view kExtensionsKey = "X-Qulvio-Extensions";
constexpr std::string_view kDefaultGroup = "Default Applications";
constexpr std::string_view kAddedGroup = "Added Associations";

bool containsExtension(const std::vector<std::string>& extensions, std::string_view extension) {
    return std::any_of(extensions.begin(), extensions.end(),
                       [&](const std::string& item) { return sameExtension(item, extension); });
}

bool isReadableFile(const std::filesystem::path& file) {
    std::error_code error;
    if (file.empty() || !std::filesystem::is_regular_file(file, error)) {
        return false;
    }
    return std::ifstream(file, std::ios::binary).is_open();
}

// Removes one item from a list value; returns whether it was there.
bool removeFromList(KeyFile& file, std::string_view group, const std::string& key,
                    const std::string& item) {
    const auto value = file.value(group, key);
    if (!value) {
        return false;
    }
    std::vector<std::string> items = splitList(*value);
    if (std::erase(items, item) == 0) {
        return false;
    }
    if (items.empty()) {
        file.removeKey(group, key);
    } else {
        file.setValue(group, key, joinList(items));
    }
    return true;
}

} // namespace

FileTypeRegistry::FileTypeRegistry(std::filesystem::path dataHome, std::filesystem::path configHome,
                                   std::filesystem::path program)
    : m_dataHome(std::move(dataHome)), m_configHome(std::move(configHome)),
      m_program(std::move(program)) {}

std::filesystem::path FileTypeRegistry::applicationsFolder() const {
    return m_dataHome / "applications";
}

std::filesystem::path FileTypeRegistry::packagesFolder() const {
    return m_dataHome / "mime" / "packages";
}

std::filesystem::path FileTypeRegistry::mimeappsList() const {
    return m_configHome / "mimeapps.list";
}

std::vector<FileTypeRegistry::OwnEntry> FileTypeRegistry::ownEntries() const {
    std::vector<OwnEntry> entries;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(applicationsFolder(), error)) {
        if (item.path().extension() != ".desktop") {
            continue;
        }
        std::error_code readError;
        KeyFile entry = KeyFile::load(item.path(), readError);
        const auto identifier = entry.value(kGroup, kIdentifierKey);
        const auto types = splitList(entry.value(kGroup, "MimeType").value_or(""));
        if (readError || !identifier || types.size() != 1) {
            continue;
        }
        OwnEntry own{item.path(), std::move(entry), unescapeValue(*identifier), types.front(), {}};
        own.extensions = splitList(own.entry.value(kGroup, kExtensionsKey).value_or(""));
        entries.push_back(std::move(own));
    }
    return entries;
}

bool FileTypeRegistry::writePackage(const OwnEntry& own) const {
    const std::string xml =
        mimePackageXml(own.mimeType, unescapeValue(own.entry.value(kGroup, "Comment").value_or("")),
                       own.extensions);
    const auto file = packagesFolder() / packageFileFor(own.identifier);
    return !platform::writeFileAtomically(
        file, std::span(reinterpret_cast<const uint8_t*>(xml.data()), xml.size()));
}

bool FileTypeRegistry::removeExtension(OwnEntry& own, std::string_view extension) const {
    const auto removed = std::erase_if(
        own.extensions, [&](const std::string& item) { return sameExtension(item, extension); });
    if (removed == 0) {
        return false;
    }
    if (!own.extensions.empty()) {
        own.entry.setValue(kGroup, kExtensionsKey, joinList(own.extensions));
        (void)own.entry.save(own.file);
        (void)writePackage(own);
        return true;
    }
    std::error_code error;
    std::filesystem::remove(packagesFolder() / packageFileFor(own.identifier), error);
    std::filesystem::remove(own.file, error);
    dropDefault(own.mimeType, own.file.filename().string());
    return true;
}

bool FileTypeRegistry::makeDefault(const std::string& mimeType,
                                   const std::string& desktopFile) const {
    std::error_code error;
    KeyFile list = KeyFile::load(mimeappsList(), error);
    if (error) {
        return false; // never replace a list that could not be read
    }
    list.setValue(kDefaultGroup, mimeType, desktopFile);
    std::vector<std::string> added = splitList(list.value(kAddedGroup, mimeType).value_or(""));
    std::erase(added, desktopFile);
    added.insert(added.begin(), desktopFile);
    list.setValue(kAddedGroup, mimeType, joinList(added));
    return !list.save(mimeappsList());
}

void FileTypeRegistry::dropDefault(const std::string& mimeType,
                                   const std::string& desktopFile) const {
    std::error_code error;
    KeyFile list = KeyFile::load(mimeappsList(), error);
    if (error) {
        return;
    }
    const bool fromDefault = removeFromList(list, kDefaultGroup, mimeType, desktopFile);
    const bool fromAdded = removeFromList(list, kAddedGroup, mimeType, desktopFile);
    if (fromDefault || fromAdded) {
        (void)list.save(mimeappsList());
    }
}

bool FileTypeRegistry::associate(const Association& association) {
    const auto extension = normalizeExtension(association.extension);
    if (!extension) {
        log::log_message(log::kError, "associate", "unusable extension \"%s\"",
                         association.extension.c_str());
        return false;
    }
    const std::string identifier =
        association.identifier.empty() ? defaultIdentifier(*extension) : association.identifier;
    const std::string mimeType = mimeTypeFor(identifier);
    const std::string desktopFile = desktopFileFor(identifier);
    const auto exec = execLine(m_program, association.prefix);
    if (!exec) {
        log::log_message(log::kError, "associate", "no command line for \"%s\"", m_program.c_str());
        return false;
    }
    const std::string openText = association.openText.empty()
                                     ? "Open with " + m_program.filename().string()
                                     : association.openText;
    const std::string description = association.description.empty()
                                        ? m_program.stem().string() + " Document"
                                        : association.description;
    const std::string icon = isReadableFile(association.iconFile)
                                 ? std::filesystem::absolute(association.iconFile).string()
                                 : std::string(kProgramIcon);

    // An extension names one type: it leaves any other registration made here.
    OwnEntry own{applicationsFolder() / desktopFile, {}, identifier, mimeType, {}};
    for (OwnEntry& other : ownEntries()) {
        if (other.file == own.file) {
            own = std::move(other);
        } else if (containsExtension(other.extensions, *extension)) {
            removeExtension(other, *extension);
        }
    }
    std::error_code error;
    if (own.entry.keys(kGroup).empty() && std::filesystem::exists(own.file, error)) {
        log::log_message(log::kError, "associate", "%s belongs to another program",
                         own.file.c_str());
        return false;
    }
    own.identifier = identifier;
    own.mimeType = mimeType;
    if (!containsExtension(own.extensions, *extension)) {
        own.extensions.push_back(*extension);
    }

    std::filesystem::create_directories(packagesFolder(), error);
    std::filesystem::create_directories(applicationsFolder(), error);
    std::filesystem::create_directories(m_configHome, error);

    KeyFile& entry = own.entry;
    entry.setValue(kGroup, "Type", "Application");
    entry.setValue(kGroup, "Name", escapeValue(openText));
    entry.setValue(kGroup, "Comment", escapeValue(description));
    entry.setValue(kGroup, "Exec", *exec);
    entry.setValue(kGroup, "Icon", escapeValue(icon));
    entry.setValue(kGroup, "MimeType", mimeType + ";");
    entry.setValue(kGroup, "NoDisplay", "true");
    entry.setValue(kGroup, "Terminal", "false");
    entry.setValue(kGroup, kIdentifierKey, escapeValue(identifier));
    entry.setValue(kGroup, kExtensionsKey, joinList(own.extensions));

    const bool written =
        writePackage(own) && !entry.save(own.file) && makeDefault(mimeType, desktopFile);
    if (!written) {
        log::log_message(log::kError, "associate", "cannot write the registration of %s",
                         mimeType.c_str());
    }
    if (!rebuildMimeCaches(m_dataHome)) {
        log::log_message(log::kWarning, "associate", "update-mime-database failed");
    }
    return written;
}

bool FileTypeRegistry::unassociate(std::string_view extension) {
    if (extension.empty()) {
        return false;
    }
    const auto normalized = normalizeExtension(extension);
    if (!normalized) {
        return true; // nothing made here can hold it
    }
    bool changed = false;
    for (OwnEntry& own : ownEntries()) {
        if (containsExtension(own.extensions, *normalized)) {
            changed = removeExtension(own, *normalized) || changed;
        }
    }
    if (changed) {
        rebuildMimeCaches(m_dataHome);
    }
    return true;
}

} // namespace pelmora::qulvio
