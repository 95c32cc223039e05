#include "ReaderList.h"

#include "CaseInsensitive.h"
#include "Failure.h"
#include "Terminal.h"

#include <algorithm>

namespace pelmora::cli {

bool Readers::holdsCard(const model::CardDocument& card) const {
    return std::find(present.begin(), present.end(), &card) != present.end();
}

Readers findReaders(model::EditorSession& session) {
    session.refreshReadersNow();
    Readers readers;
    readers.cards = session.cardDocuments();
    readers.listError = session.readerListError();
    for (model::CardDocument* card : readers.cards) {
        if (card->cardPresent) {
            readers.present.push_back(card);
        }
    }
    return readers;
}

model::ReaderCheck checkReaders(const Readers& readers) {
    return model::checkReaders(true, readers.cards, readers.listError);
}

std::string openFailureAdvice(const model::CardDocument& card) {
    const auto situation = model::openFailureSituation(card.lastError);
    if (!situation || *situation == model::ReaderSituation::NoCard) {
        return {};
    }
    return utf8(model::situationAdvice(*situation, card.lastError));
}

namespace {

std::string readerLines(const Readers& readers, bool withCardOnly) {
    std::string lines;
    for (model::CardDocument* card : readers.cards) {
        if (!withCardOnly || readers.holdsCard(*card)) {
            lines += "\n  " + utf8(card->reader);
        }
    }
    return lines;
}

} // namespace

model::CardDocument& chooseReader(Readers& readers, const std::optional<std::string>& named,
                                  const std::string& command) {
    if (named) {
        const std::u16string wanted = utf16(*named);
        for (model::CardDocument* card : readers.cards) {
            if (platform::equalsIgnoreCase(card->reader, wanted)) {
                return *card;
            }
        }
        throw Failure("there is no reader named '" + *named + "'" +
                      (readers.cards.empty() ? std::string(" (no reader found)")
                                             : "; the readers are:" + readerLines(readers, false)));
    }
    if (readers.present.size() == 1) {
        return *readers.present.front();
    }
    if (readers.cards.empty()) {
        throw Failure("no smart-card reader found. " + utf8(checkReaders(readers).advice()));
    }
    if (readers.present.empty()) {
        // One reader whose card cannot be opened: why, rather than the list.
        const std::string why =
            readers.cards.size() == 1 ? openFailureAdvice(*readers.cards.front()) : std::string();
        throw Failure(why.empty() ? "no reader holds a card; the readers are:" +
                                        readerLines(readers, false)
                                  : "the card in reader '" + utf8(readers.cards.front()->reader) +
                                        "' cannot be opened. " + why);
    }
    throw UsageError("several readers hold a card; name one with --reader:" +
                         readerLines(readers, true),
                     command);
}

} // namespace pelmora::cli
