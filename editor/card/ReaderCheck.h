#pragma once
// The reader check: what each reader's card document tells after a pass of
// the reader refresh, as a situation the user can act on: why a card could
// not be opened is its document's last error (from the failed connect, or
// the last command of a card that was open before); without one it is
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

// Why a card could not be opened, told by the error its connect left; nothing
// when the error does not say.
[[nodiscard]] std::optional<ReaderSituation> openFailureSituation(int32_t lastError);

[[nodiscard]] ReaderFinding checkReader(const CardDocument& card);
// listError: why no reader was listed, when none was (the pass's).
[[nodiscard]] ReaderCheck checkReaders(bool pluginBound, std::span<CardDocument* const> cards,
                                       int32_t listError = 0);

} // namespace pelmora::model
