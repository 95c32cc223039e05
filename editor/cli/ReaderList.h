#pragma once
// The readers as one pass of the editor's reader refresh sees them, and the
// one a card command works on.

#include "EditorSession.h"
#include "ReaderCheck.h"

#include <optional>
#include <string>

namespace pelmora::cli {

struct Readers {
    std::vector<model::CardDocument*> cards; // one per reader, in the plug-in's order
    std::vector<model::CardDocument*> present;
    int32_t listError = 0; // why no reader was listed, when none was

    [[nodiscard]] bool holdsCard(const model::CardDocument& card) const;
};

[[nodiscard]] Readers findReaders(model::EditorSession& session);

// What the reader check makes of the readers found.
[[nodiscard]] model::ReaderCheck checkReaders(const Readers& readers);

// Why the card of a reader that holds none that opens cannot be opened, as a
// sentence of advice; empty when the reader simply holds no card or the
// plug-in does not say.
[[nodiscard]] std::string openFailureAdvice(const model::CardDocument& card);

// The reader named (ignoring case), else the single reader holding a card.
// Failure when the named reader does not exist or no reader holds a card
// (saying why, when the plug-in told); UsageError listing them when several do.
[[nodiscard]] model::CardDocument&
chooseReader(Readers& readers, const std::optional<std::string>& named, const std::string& command);

} // namespace pelmora::cli
