#pragma once
// The readers as one pass of the editor's reader refresh sees them, and the
// one a card command works on.

#include "EditorSession.h"

#include <optional>
#include <string>

namespace pelmora::cli {

struct Readers {
    std::vector<model::CardDocument*> cards; // one per reader, in the plug-in's order
    std::vector<model::CardDocument*> present;

    [[nodiscard]] bool holdsCard(const model::CardDocument& card) const;
};

[[nodiscard]] Readers findReaders(model::EditorSession& session);

// The reader named (ignoring case), else the single reader holding a card.
// Failure when the named reader does not exist or no reader holds a card;
// UsageError listing them when several do.
[[nodiscard]] model::CardDocument&
chooseReader(Readers& readers, const std::optional<std::string>& named, const std::string& command);

} // namespace pelmora::cli
