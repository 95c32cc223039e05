#include "ReaderCheck.h"

#include "AtrMeaning.h"

#include <algorithm>

namespace pelmora::model {

namespace {

// A card that answers but offers no T=0 cannot be a SIM the plug-in speaks to.
bool lacksT0(std::u16string_view atr) {
    const auto bytes = atrBytes(atr);
    const auto meaning = bytes ? decodeAtr(*bytes) : std::nullopt;
    return meaning && !meaning->offers(0);
}

} // namespace

std::u16string ReaderCheck::advice() const {
    return situationAdvice(overall, overallError);
}

ReaderFinding checkReader(const CardDocument& card) {
    ReaderFinding finding{card.reader, ReaderSituation::CardNotOpened, {}, card.lastError};
    if (card.connection != nullptr || card.cardPresent) {
        finding.atr = card.connection != nullptr ? atrText(card.info) : card.cardAtr;
        finding.situation =
            lacksT0(finding.atr) ? ReaderSituation::ProtocolMismatch : ReaderSituation::Ready;
        return finding;
    }
    finding.situation = situationOfResult(card.lastError).value_or(ReaderSituation::CardNotOpened);
    return finding;
}

ReaderCheck checkReaders(bool pluginBound, std::span<CardDocument* const> cards) {
    ReaderCheck check;
    if (!pluginBound) {
        check.overall = ReaderSituation::PluginMissing;
        return check;
    }
    for (const CardDocument* card : cards) {
        check.readers.push_back(checkReader(*card));
    }
    if (check.readers.empty()) {
        return check;
    }
    const auto ready = std::find_if(check.readers.begin(), check.readers.end(), [](const auto& f) {
        return f.situation == ReaderSituation::Ready;
    });
    const ReaderFinding& telling = ready != check.readers.end() ? *ready : check.readers.front();
    check.overall = telling.situation;
    check.overallError = telling.lastError;
    return check;
}

} // namespace pelmora::model
