#pragma once
// One editor session: the settings and language texts, the card plug-in's
// binding, the open documents in tree order (card roots and file roots) and
// the card commands. The window and velmet-cli both stand on it. Everything
// here belongs to the UI thread unless a member says otherwise.

#include "CardCommands.h"
#include "CardOperations.h"
#include "Document.h"
#include "PluginBinding.h"
#include "PluginCalls.h"
#include "ReaderScan.h"
#include "RefreshWorker.h"
#include "SessionListener.h"
#include "Settings.h"
#include "SettingsFile.h"
#include "Subscription.h"
#include "UiThread.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

namespace pelmora::model {

// What the card commands ask of the user and where they report: the window's
// dialogs, or velmet-cli's terminal.
struct FrontEnd {
    PinPrompter& prompter;
    CardHost& host;
    UiThread& uiThread;
};

class EditorSession {
public:
    // Loads the settings file of places and installs the language file it names.
    explicit EditorSession(const velmet::SettingsPlaces& places);
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    [[nodiscard]] velmet::Settings& settings() { return m_settings; }
    [[nodiscard]] const velmet::Settings& settings() const { return m_settings; }

    // libBrontel.so from programFolder, else by bare name; false (see
    // binding().missingName()) when it cannot be bound.
    [[nodiscard]] bool bindPlugin(const std::filesystem::path& programFolder);
    [[nodiscard]] PluginBinding& binding() { return m_binding; }
    // Usable unbound too: every call then gives 0.
    [[nodiscard]] const PluginCalls& plugin() const { return m_calls; }

    [[nodiscard]] const std::vector<std::unique_ptr<Document>>& documents() const {
        return m_documents;
    }
    // The card roots in tree order.
    [[nodiscard]] std::vector<CardDocument*> cardDocuments() const;
    [[nodiscard]] CardDocument* cardDocument(std::u16string_view reader) const;
    Document& addDocument(std::unique_ptr<Document> document);
    // false, leaving it, while a card command uses the document.
    [[nodiscard]] bool removeDocument(const Document& document);
    [[nodiscard]] bool busy(const Document& document) const { return m_busy.contains(&document); }
    // Tells listeners that a document's state, name or books changed.
    void documentChanged(Document& document);
    [[nodiscard]] Subscription subscribe(SessionListener& listener) {
        return m_listeners.add(listener);
    }

    // The readers as the card documents stand for them: a pass of the reader
    // refresh run here, on the UI thread (nothing while a command runs).
    void refreshReadersNow();
    // The periodic refresh (the window's 1.5 s timer): a pass on the refresh
    // worker, whose changes the UI thread applies afterwards through the
    // front end's UiThread. false when none was started: a pass or a command
    // is running, or no front end is set.
    bool startReaderRefresh();
    // Stops a running pass and waits for it, applies what it found, and
    // starts no pass until resumed; pauses nest. The card commands pause it.
    void pauseReaderRefresh();
    void resumeReaderRefresh();
    // Why the last pass listed no reader (a PC/SC result; 0 when readers were
    // listed or the plug-in does not say).
    [[nodiscard]] int32_t readerListError() const { return m_readerListError.load(); }
    // What a pass needs to know of the card documents.
    [[nodiscard]] std::vector<ReaderState> readerStates() const;
    // Documents a command uses are left alone.
    void applyReaderChanges(const std::vector<ReaderChange>& changes);

    // The card commands ask through the front end; set it before the first.
    void setFrontEnd(const FrontEnd& frontEnd);
    // From the settings until changed here.
    [[nodiscard]] CardOptions& cardOptions() { return m_cardOptions; }
    // The steps of the card commands; the front end must be set.
    [[nodiscard]] const CardOperations& cardOperations();

    // The card commands, each returning at once (see CardCommands): the
    // documents a command works on are busy until it has finished; the
    // reader refresh leaves them alone and they cannot be removed.
    [[nodiscard]] std::shared_ptr<CardCommand> readSim(CardDocument& card, Category* selected,
                                                       JobProgress& progress);
    // A file document is written to the card of the reader the host picks
    // among readers (the window offers every card document).
    [[nodiscard]] std::shared_ptr<CardCommand> writeSim(Document& document, Category* selected,
                                                        std::span<CardDocument* const> readers,
                                                        JobProgress& progress);
    [[nodiscard]] std::shared_ptr<CardCommand>
    backupSim(CardDocument& card, const std::filesystem::path& file, JobProgress& progress);
    [[nodiscard]] std::shared_ptr<CardCommand>
    restoreSim(CardDocument& card, const std::filesystem::path& file, JobProgress& progress);
    [[nodiscard]] std::shared_ptr<CardCommand> pinFlow(CardDocument& card, PinFlowKind flow,
                                                       int type, JobProgress& progress);
    [[nodiscard]] std::shared_ptr<CardCommand>
    readProperties(CardDocument& card, int kind, bool statesWhenClosed, JobProgress& progress);
    [[nodiscard]] std::shared_ptr<CardCommand>
    saveInfo(CardDocument& card, const std::filesystem::path& file, JobProgress& progress);
    [[nodiscard]] bool commandRunning() const { return m_running > 0; }

private:
    [[nodiscard]] const CardCommands& commands();
    // Marks the command's documents busy until it finishes.
    std::shared_ptr<CardCommand> track(
        const std::function<std::shared_ptr<CardCommand>(CardCommands::Finished)>& start);
    void notifyAdded(size_t index);
    void refreshPass(const std::atomic<bool>& stop); // on the refresh worker
    void applyPendingReaderChanges();
    void remove(size_t index);

    velmet::Settings m_settings;
    PluginBinding m_binding;
    PluginCalls m_calls{m_binding};
    std::vector<std::unique_ptr<Document>> m_documents;
    std::set<const Document*> m_busy;
    ObserverList<SessionListener> m_listeners;
    std::optional<FrontEnd> m_frontEnd;
    CardOptions m_cardOptions;
    std::atomic<int32_t> m_readerListError{0}; // written by the refresh worker
    std::optional<CardOperations> m_operations;
    std::optional<CardCommands> m_commands;
    int m_running = 0;

    // Tasks posted to the UI thread do nothing once the session is gone.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    std::mutex m_scanMutex;
    std::vector<ReaderState> m_scanInput;
    std::optional<std::vector<ReaderChange>> m_scanResult;
    // Last, so that it stops (and waits for a running pass) first.
    std::unique_ptr<RefreshWorker> m_refresh;
};

} // namespace pelmora::model
