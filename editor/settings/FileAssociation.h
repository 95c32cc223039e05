#pragma once
// The editor's side of file-type registration: the support library is loaded
// for the moment of each call and freed again; when it is missing the call is
// skipped without a word.

#include <filesystem>
#include <string>
#include <string_view>

namespace pelmora::velmet {

class FileAssociation {
public:
    // The library beside the program ("libqulvio.so"), else by its bare name.
    FileAssociation();
    explicit FileAssociation(std::filesystem::path library);
    virtual ~FileAssociation() = default;

    // Registers the extension as the program's document type: unregisters it,
    // then registers it with the identifier "<title>.Document", texts 188 (open
    // verb) and 187 (description) and the program's own icon. False when the
    // library is missing or refuses.
    virtual bool associate(std::u16string_view extension, std::u16string_view title);
    // Removes the program's registration of the extension.
    virtual bool unassociate(std::u16string_view extension);

private:
    std::filesystem::path m_library;
};

// Whether the extension is registered to the program: the MIME type that the
// user's MIME database (dataHome/mime/globs2) gives the extension, else the
// system's ($XDG_DATA_DIRS), names the program's title.
[[nodiscard]] bool extensionBelongsToProgram(std::u16string_view extension,
                                             std::u16string_view title,
                                             const std::filesystem::path& dataHome);

// The start-up check: an extension with "*" is never offered; otherwise it is
// when it does not belong to the program.
[[nodiscard]] bool shouldOfferAssociation(std::u16string_view extension, std::u16string_view title,
                                          const std::filesystem::path& dataHome);

// The question to ask before associating (text 186 with extension and title).
[[nodiscard]] std::u16string associationQuestion(std::u16string_view extension,
                                                 std::u16string_view title);

} // namespace pelmora::velmet
