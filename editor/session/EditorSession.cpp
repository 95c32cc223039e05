#include "EditorSession.h"

#include "ReaderSituation.h"

#include <algorithm>

namespace pelmora::model {

namespace {

// The card is gone from its reader. Its books go with it unless they hold
// edits: those stay for the same card coming back (the next Open card asks
// before another card's books replace them).
void releaseUneditedBooks(CardDocument& card) {
    if (!card.anyChanged()) {
        card.releaseCategories();
        card.booksCardId.clear();
    }
}

// A connection the refresh pass has already closed: forgotten without a plug-in call.
void forgetConnection(CardDocument& card) {
    card.connection = nullptr;
    card.info = SimInfo{};
    card.lastResult = 0;
    card.setReaderLine(u"");
    card.forgetPins();
}

} // namespace

EditorSession::EditorSession(const velmet::SettingsPlaces& places)
    : m_settings(velmet::loadSettings(places)), m_cardOptions(model::cardOptions(m_settings)) {}

EditorSession::~EditorSession() {
    m_refresh.reset();
    // Cards still open are closed, so that the plug-in lets go of their readers.
    for (CardDocument* card : cardDocuments()) {
        if (card->connection != nullptr) {
            m_calls.close(*card);
        }
    }
}

bool EditorSession::bindPlugin(const std::filesystem::path& programFolder) {
    return m_binding.bound() || m_binding.bind(programFolder);
}

std::vector<CardDocument*> EditorSession::cardDocuments() const {
    std::vector<CardDocument*> cards;
    for (const auto& document : m_documents) {
        if (document->kind() == DocumentKind::Card) {
            cards.push_back(static_cast<CardDocument*>(document.get()));
        }
    }
    return cards;
}

CardDocument* EditorSession::cardDocument(std::u16string_view reader) const {
    for (CardDocument* card : cardDocuments()) {
        if (sameReader(card->reader, reader)) {
            return card;
        }
    }
    return nullptr;
}

Document& EditorSession::addDocument(std::unique_ptr<Document> document) {
    m_documents.push_back(std::move(document));
    notifyAdded(m_documents.size() - 1);
    return *m_documents.back();
}

void EditorSession::notifyAdded(size_t index) {
    Document& added = *m_documents[index];
    m_listeners.notify([&](SessionListener& l) { l.documentAdded(added, index); });
}

bool EditorSession::removeDocument(const Document& document) {
    if (busy(document)) {
        return false;
    }
    for (size_t index = 0; index < m_documents.size(); ++index) {
        if (m_documents[index].get() == &document) {
            remove(index);
            return true;
        }
    }
    return false;
}

void EditorSession::remove(size_t index) {
    Document& leaving = *m_documents[index];
    m_listeners.notify([&](SessionListener& l) { l.documentRemoving(leaving, index); });
    m_documents.erase(m_documents.begin() + static_cast<ptrdiff_t>(index));
}

void EditorSession::documentChanged(Document& document) {
    m_listeners.notify([&](SessionListener& l) { l.documentChanged(document); });
}

void EditorSession::refreshReadersNow() {
    if (commandRunning()) {
        return;
    }
    pauseReaderRefresh();
    const ReaderScan scan = scanReaders(m_calls, readerStates());
    m_readerListError.store(scan.listError);
    applyReaderChanges(scan.changes);
    resumeReaderRefresh();
}

bool EditorSession::startReaderRefresh() {
    if (!m_frontEnd || commandRunning()) {
        return false;
    }
    if (!m_refresh) {
        m_refresh = std::make_unique<RefreshWorker>(
            [this](const std::atomic<bool>& stop) { refreshPass(stop); });
    }
    if (m_refresh->running() || m_refresh->paused()) {
        return false;
    }
    {
        const std::lock_guard lock(m_scanMutex);
        m_scanInput = readerStates();
    }
    return m_refresh->start();
}

void EditorSession::refreshPass(const std::atomic<bool>& stop) {
    std::vector<ReaderState> input;
    {
        const std::lock_guard lock(m_scanMutex);
        input = m_scanInput;
    }
    // A stopped pass hands on what it found so far: it may have closed
    // connections that stopped answering.
    ReaderScan scan = scanReaders(m_calls, input, &stop);
    if (!scan.stopped) {
        m_readerListError.store(scan.listError);
    }
    {
        const std::lock_guard lock(m_scanMutex);
        if (m_scanResult) {
            m_scanResult->insert(m_scanResult->end(), scan.changes.begin(), scan.changes.end());
        } else {
            m_scanResult = std::move(scan.changes);
        }
    }
    m_frontEnd->uiThread.post([this, alive = std::weak_ptr<int>(m_alive)] {
        if (alive.lock()) {
            applyPendingReaderChanges();
        }
    });
}

void EditorSession::applyPendingReaderChanges() {
    std::optional<std::vector<ReaderChange>> changes;
    {
        const std::lock_guard lock(m_scanMutex);
        changes.swap(m_scanResult);
    }
    if (changes) {
        applyReaderChanges(*changes);
    }
}

void EditorSession::pauseReaderRefresh() {
    if (m_refresh) {
        m_refresh->pause();
    }
    // Before any command opens a card: connections the pass closed are forgotten.
    applyPendingReaderChanges();
}

void EditorSession::resumeReaderRefresh() {
    if (m_refresh) {
        m_refresh->resume();
    }
}

std::vector<ReaderState> EditorSession::readerStates() const {
    std::vector<ReaderState> states;
    for (CardDocument* card : cardDocuments()) {
        states.push_back({card->reader, card->connection});
    }
    return states;
}

void EditorSession::applyReaderChanges(const std::vector<ReaderChange>& changes) {
    for (const ReaderChange& change : changes) {
        CardDocument* card = cardDocument(change.reader);
        if (change.kind == ReaderChangeKind::ReaderAdded) {
            if (card == nullptr) {
                auto fresh = std::make_unique<CardDocument>();
                fresh->reader = change.reader;
                addDocument(std::move(fresh));
            }
            continue;
        }
        // A document that a command took meanwhile is left to the command.
        if (card == nullptr || busy(*card)) {
            continue;
        }
        switch (change.kind) {
        case ReaderChangeKind::ConnectionLost:
            if (card->connection == change.connection) {
                forgetConnection(*card);
                card->lastError = change.lastError;
                documentChanged(*card);
            }
            break;
        case ReaderChangeKind::CardPresent:
        case ReaderChangeKind::CardEmpty: {
            const bool present = change.kind == ReaderChangeKind::CardPresent;
            const bool hadBooks = !card->categories().empty();
            if (!present) {
                releaseUneditedBooks(*card);
            }
            const bool atrChanged = card->cardAtr != change.atr;
            card->cardAtr = change.atr;
            // Why the card cannot be opened, while it cannot; a card that
            // opens again drops that reason. A reader emptied by a card
            // pulled in use keeps telling so.
            const bool stillRemoved =
                situationOfResult(card->lastError) == ReaderSituation::CardRemoved &&
                situationOfResult(change.lastError) == ReaderSituation::NoCard;
            const int32_t reason = present ? (card->cardPresent ? card->lastError : 0)
                                           : (stillRemoved ? card->lastError : change.lastError);
            const bool reasonChanged = card->lastError != reason;
            card->lastError = reason;
            if (atrChanged || reasonChanged || card->cardPresent != present ||
                hadBooks != !card->categories().empty()) {
                card->cardPresent = present;
                documentChanged(*card);
            }
            break;
        }
        case ReaderChangeKind::ReaderGone:
            if (card->connection == change.connection) {
                forgetConnection(*card);
                (void)removeDocument(*card);
            }
            break;
        case ReaderChangeKind::ReaderAdded:
            break;
        }
    }
}

void EditorSession::setFrontEnd(const FrontEnd& frontEnd) {
    m_commands.reset();
    m_operations.reset();
    m_frontEnd.emplace(frontEnd);
}

const CardOperations& EditorSession::cardOperations() {
    if (!m_operations) {
        m_operations.emplace(m_calls, m_frontEnd->prompter, m_frontEnd->host, m_cardOptions);
    }
    return *m_operations;
}

const CardCommands& EditorSession::commands() {
    if (!m_commands) {
        m_commands.emplace(cardOperations(), m_calls, m_frontEnd->uiThread);
    }
    return *m_commands;
}

std::shared_ptr<CardCommand> EditorSession::track(
    const std::function<std::shared_ptr<CardCommand>(CardCommands::Finished)>& start) {
    pauseReaderRefresh();
    ++m_running;
    auto command = start([this](CardCommand& finished) {
        --m_running;
        resumeReaderRefresh();
        for (Document* document : finished.documents()) {
            m_busy.erase(document);
        }
    });
    if (!command->finished()) {
        for (Document* document : command->documents()) {
            m_busy.insert(document);
        }
    }
    return command;
}

std::shared_ptr<CardCommand> EditorSession::readSim(CardDocument& card, Category* selected,
                                                    JobProgress& progress) {
    return track([&](CardCommands::Finished finished) {
        return commands().readSim(card, selected, progress, std::move(finished));
    });
}

std::shared_ptr<CardCommand> EditorSession::writeSim(Document& document, Category* selected,
                                                     std::span<CardDocument* const> readers,
                                                     JobProgress& progress) {
    return track([&](CardCommands::Finished finished) {
        return commands().writeSim(document, selected, readers, progress, std::move(finished));
    });
}

std::shared_ptr<CardCommand> EditorSession::backupSim(CardDocument& card,
                                                      const std::filesystem::path& file,
                                                      JobProgress& progress) {
    return track([&](CardCommands::Finished finished) {
        return commands().backupSim(card, file, progress, std::move(finished));
    });
}

std::shared_ptr<CardCommand> EditorSession::restoreSim(CardDocument& card,
                                                       const std::filesystem::path& file,
                                                       JobProgress& progress) {
    return track([&](CardCommands::Finished finished) {
        return commands().restoreSim(card, file, progress, std::move(finished));
    });
}

std::shared_ptr<CardCommand> EditorSession::pinFlow(CardDocument& card, PinFlowKind flow, int type,
                                                    JobProgress& progress) {
    return track([&](CardCommands::Finished finished) {
        return commands().pinFlow(card, flow, type, progress, std::move(finished));
    });
}

std::shared_ptr<CardCommand> EditorSession::readProperties(CardDocument& card, int kind,
                                                           bool statesWhenClosed,
                                                           JobProgress& progress) {
    return track([&](CardCommands::Finished finished) {
        return commands().readProperties(card, kind, statesWhenClosed, progress,
                                         std::move(finished));
    });
}

std::shared_ptr<CardCommand> EditorSession::saveInfo(CardDocument& card,
                                                     const std::filesystem::path& file,
                                                     JobProgress& progress) {
    return track([&](CardCommands::Finished finished) {
        return commands().saveInfo(card, file, progress, std::move(finished));
    });
}

} // namespace pelmora::model
