#pragma once
// The reader check: what each reader's card document tells after a pass of
// the reader refresh, as a situation the user can act on. The plug-in tells
// why a card could not be opened only for a card that was open before (the
// error of its last command); a reader whose card never opened is
// CardNotOpened.

#include "CardDocument.h"
#include "ReaderSituation.h"

#include <span>
#include <string>
#include <vector>

namespace pelmora::model {

struct ReaderFinding {
    std::u16string reader;
    ReaderSituation situation = ReaderSituation::CardNotOpened;
    std::u16string atr; // empty when no card could be opened
    int32_t lastError = 0;
};

struct ReaderCheck {
    // Ready when any reader can be used, else what stands in the way.
    ReaderSituation overall = ReaderSituation::NoReaderListed;
    int32_t overallError = 0;
    std::vector<ReaderFinding> readers;

    [[nodiscard]] bool usable() const { return overall == ReaderSituation::Ready; }
    // The advice for the overall situation.
    [[nodiscard]] std::u16string advice() const;
};

[[nodiscard]] ReaderFinding checkReader(const CardDocument& card);
[[nodiscard]] ReaderCheck checkReaders(bool pluginBound, std::span<CardDocument* const> cards);

} // namespace pelmora::model
