#include "ReaderCheck.h"

#include "AtrMeaning.h"
#include "CardAnswerText.h"

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

std::optional<ReaderSituation> openFailureSituation(int32_t lastError) {
    if (isCardStatusCode(lastError)) {
        return ReaderSituation::CardFault;
    }
    return situationOfResult(lastError);
}

ReaderFinding checkReader(const CardDocument& card) {
    ReaderFinding finding{card.reader, ReaderSituation::CardNotOpened, {}, card.lastError};
    if (card.connection != nullptr || card.cardPresent) {
        finding.atr = card.connection != nullptr ? atrText(card.info) : card.cardAtr;
        finding.situation =
            lacksT0(finding.atr) ? ReaderSituation::ProtocolMismatch : ReaderSituation::Ready;
        return finding;
    }
    finding.situation =
        openFailureSituation(card.lastError).value_or(ReaderSituation::CardNotOpened);
    return finding;
}

ReaderCheck checkReaders(bool pluginBound, std::span<CardDocument* const> cards,
                         int32_t listError) {
    ReaderCheck check;
    if (!pluginBound) {
        check.overall = ReaderSituation::PluginMissing;
        return check;
    }
    for (const CardDocument* card : cards) {
        check.readers.push_back(checkReader(*card));
    }
    if (check.readers.empty()) {
        check.overall = situationOfResult(listError).value_or(ReaderSituation::NoReaderListed);
        check.overallError = listError;
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
