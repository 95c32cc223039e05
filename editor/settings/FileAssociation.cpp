#include "FileAssociation.h"

#include "CaseInsensitive.h"
#include "CodePage.h"
#include "Folders.h"
#include "LangText.h"
#include "MimeTypeName.h"
#include "Qulvio.h"
#include "SupportLibraryHandle.h"

#include <fstream>
#include <optional>
#include <vector>

namespace pelmora::velmet {
namespace {

std::string ansi(std::u16string_view text) {
    return platform::toAnsi(text);
}

} // namespace

FileAssociation::FileAssociation() : m_library(platform::programFolder() / "libqulvio.so") {}

FileAssociation::FileAssociation(std::filesystem::path library) : m_library(std::move(library)) {}

bool FileAssociation::associate(std::u16string_view extension, std::u16string_view title) {
    const SupportLibraryHandle library(m_library);
    const auto unassociate = library.function<UnAssociateFunction>("UnAssociate");
    const auto associateEx = library.function<AssociateExFunction>("AssociateEx");
    if (!unassociate || !associateEx) {
        return false;
    }
    const std::string ext = ansi(extension);
    const std::string identifier = ansi(std::u16string(title) + u".Document");
    const std::string openText = ansi(GetLangText(188));
    const std::string description = ansi(GetLangText(187));
    unassociate(ext.c_str());
    return associateEx(ext.c_str(), identifier.c_str(), openText.c_str(), nullptr,
                       description.c_str(), nullptr, -1) == 1;
}

bool FileAssociation::unassociate(std::u16string_view extension) {
    const SupportLibraryHandle library(m_library);
    const auto unassociate = library.function<UnAssociateFunction>("UnAssociate");
    if (!unassociate) {
        return false;
    }
    return unassociate(ansi(extension).c_str()) == 1;
}

namespace {

// The type one MIME database (a globs2 file) gives the pattern; nullopt when
// that database does not know the pattern.
std::optional<std::string> typeForPattern(const std::filesystem::path& globsFile,
                                          std::u16string_view pattern) {
    // Lines "weight:type:glob[:flags]", heaviest first: the first line for
    // the pattern is the type the desktop gives such files.
    std::ifstream globs(globsFile);
    std::string line;
    while (std::getline(globs, line)) {
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto first = line.find(':');
        const auto second = first == std::string::npos ? first : line.find(':', first + 1);
        if (second == std::string::npos) {
            continue;
        }
        const auto third = line.find(':', second + 1);
        const std::string glob = line.substr(
            second + 1, third == std::string::npos ? std::string::npos : third - second - 1);
        if (platform::equalsIgnoreCase(platform::fromUtf8(glob), pattern)) {
            return line.substr(first + 1, second - first - 1);
        }
    }
    return std::nullopt;
}

} // namespace

bool extensionBelongsToProgram(std::u16string_view extension, std::u16string_view title,
                               const std::filesystem::path& dataHome) {
    std::u16string pattern = u"*";
    if (!extension.starts_with(u'.')) {
        pattern += u'.';
    }
    pattern += extension;
    const std::string ownType =
        qulvio::mimeTypeFor(platform::toUtf8(std::u16string(title) + u".Document"));
    // The user's own database first, then the system's (an installed
    // package registers the type there), most important first.
    std::vector<std::filesystem::path> folders{dataHome};
    for (const std::filesystem::path& folder : platform::systemDataFolders()) {
        folders.push_back(folder);
    }
    for (const std::filesystem::path& folder : folders) {
        if (const auto type = typeForPattern(folder / "mime" / "globs2", pattern)) {
            return *type == ownType;
        }
    }
    return false;
}

bool shouldOfferAssociation(std::u16string_view extension, std::u16string_view title,
                            const std::filesystem::path& dataHome) {
    return extension.find(u'*') == std::u16string_view::npos &&
           !extensionBelongsToProgram(extension, title, dataHome);
}

std::u16string associationQuestion(std::u16string_view extension, std::u16string_view title) {
    return GetLangText(186, extension, title);
}

} // namespace pelmora::velmet
