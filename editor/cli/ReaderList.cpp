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
    for (model::CardDocument* card : readers.cards) {
        if (card->cardPresent) {
            readers.present.push_back(card);
        }
    }
    return readers;
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
    if (readers.present.empty()) {
        throw Failure(readers.cards.empty() ? "no smart-card reader found"
                                            : "no reader holds a card; the readers are:" +
                                                  readerLines(readers, false));
    }
    throw UsageError("several readers hold a card; name one with --reader:" +
                         readerLines(readers, true),
                     command);
}

} // namespace pelmora::cli
