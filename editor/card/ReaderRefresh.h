#pragma once
// The reader refresh: keeps the list of card documents in line with the
// readers the plug-in reports. Each reader gets one card document; a card
// that answers stays open, a reader whose card is gone is marked empty, and
// the document of a reader that was unplugged leaves the list.

#include "CardDocument.h"
#include "PluginCalls.h"

#include <atomic>
#include <memory>
#include <vector>

namespace pelmora::model {

using CardDocuments = std::vector<std::unique_ptr<CardDocument>>;

struct RefreshReport {
    std::vector<CardDocument*> added;   // documents of readers seen for the first time
    std::vector<CardDocument*> present; // a card sits in the reader
    std::vector<CardDocument*> empty;   // no card in the reader (any more)
    // Documents of unplugged readers, taken out of the list; the caller drops
    // its references to them before letting them go.
    CardDocuments removed;
    // Asked to stop: the documents not yet looked at are left for the next pass.
    bool stopped = false;
};

// One pass. Touches the documents of the list and the list itself: the caller
// keeps every other user of them away until it returns. stop is looked at
// between plug-in calls.
RefreshReport refreshReaders(const PluginCalls& calls, CardDocuments& cards,
                             const std::atomic<bool>* stop = nullptr);

} // namespace pelmora::model
