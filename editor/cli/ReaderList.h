#pragma once
// The readers the plug-in names and whether each holds a card, and the one a
// card command works on.

#include "PluginCalls.h"

#include <optional>
#include <string>
#include <vector>

namespace pelmora::cli {

struct ReaderState {
    std::u16string name;
    bool holdsCard = false;
};

[[nodiscard]] std::vector<ReaderState> listReaders(const model::PluginCalls& calls);

// The reader named (ignoring case), else the single reader holding a card.
// Failure when the named reader does not exist or no reader holds a card;
// UsageError listing them when several do.
[[nodiscard]] std::u16string chooseReader(const model::PluginCalls& calls,
                                          const std::optional<std::string>& named,
                                          const std::string& command);

} // namespace pelmora::cli
