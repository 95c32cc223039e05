#pragma once
// One pass of the reader refresh as a list of changes: the pass runs on the
// refresh worker and touches no document; the UI thread applies the list to
// the session's card documents afterwards.

#include "PluginCalls.h"

#include <atomic>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pelmora::model {

// A card document as the pass sees it, copied on the UI thread before it starts.
struct ReaderState {
    std::u16string reader;
    SimHandle connection = nullptr;
};

enum class ReaderChangeKind {
    ReaderAdded,    // a reader no document stands for yet
    ConnectionLost, // the open card stopped answering; the pass disconnected it
    CardPresent,    // a card sits in the reader
    CardEmpty,      // no card in the reader (any more)
    ReaderGone,     // the reader was unplugged; its connection, if any, is closed
};

struct ReaderChange {
    ReaderChangeKind kind = ReaderChangeKind::ReaderAdded;
    std::u16string reader;
    // ConnectionLost and ReaderGone: the handle the pass disconnected.
    SimHandle connection = nullptr;
    // CardPresent: the card's ATR as the plug-in shows it.
    std::u16string atr;
    // ConnectionLost: the plug-in's error for the card that stopped answering;
    // CardEmpty: why no card could be opened (0 when the plug-in does not say).
    int32_t lastError = 0;

    friend bool operator==(const ReaderChange&, const ReaderChange&) = default;
};

struct ReaderScan {
    std::vector<ReaderChange> changes;
    // Asked to stop: the readers not yet looked at are left for the next pass.
    bool stopped = false;
    // No reader listed: why (a PC/SC result; 0 when the plug-in does not say).
    int32_t listError = 0;
};

// stop is looked at between plug-in calls.
[[nodiscard]] ReaderScan scanReaders(const PluginCalls& calls, std::span<const ReaderState> known,
                                     const std::atomic<bool>* stop = nullptr);

[[nodiscard]] bool sameReader(std::u16string_view a, std::u16string_view b);
// The reader names the plug-in reports, each once (ignoring case); nothing
// when stop was asked meanwhile.
[[nodiscard]] std::optional<std::vector<std::u16string>> readerNames(const PluginCalls& calls,
                                                                     const std::atomic<bool>* stop);

} // namespace pelmora::model
