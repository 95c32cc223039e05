#pragma once
// Selection of the files of one directory under the master file. A SELECT is
// sent only when the file is not already the current one, so that returning to
// a book after a look at its extension file costs one command, not four.

#include "card/FileId.h"
#include "card/SimFileInfo.h"

#include <optional>

namespace brontel {

class SIMCard;

class CardDirectory {
public:
    explicit CardDirectory(SIMCard& card) : m_card(card) {}

    // Selects the master file and then the directory.
    [[nodiscard]] bool enter(FileId directory);
    // Selects the master file, the directory and a directory inside it.
    [[nodiscard]] bool enter(FileId directory, FileId subdirectory);
    // Selects an EF of the directory and reads its description.
    [[nodiscard]] bool describe(FileId ef, SimFileInfo& info);
    // Makes an EF of the directory the current file.
    [[nodiscard]] bool select(FileId ef);

    // Whether the last failed SELECT found no such file (94 04), as opposed to
    // a card or reader that could not answer.
    [[nodiscard]] bool fileWasMissing() const;

    [[nodiscard]] SIMCard& card() { return m_card; }

private:
    SIMCard& m_card;
    std::optional<FileId> m_current;
};

} // namespace brontel
