#pragma once
// A card command's card: the chosen reader's card document, the PIN questions,
// the progress line and the card operations the window uses. The card is
// closed when the command ends.

#include "Arguments.h"
#include "CardOperations.h"
#include "CliHost.h"
#include "ReaderList.h"
#include "Session.h"
#include "TerminalProgress.h"
#include "TerminalPrompter.h"
#include "UiTaskQueue.h"

#include <string>
#include <vector>

namespace pelmora::cli {

struct CardAccessOptions {
    int unblockType = 0;              // pin unblock: the PIN to unblock
    bool cut = false;                 // --cut
    bool readAll = true;              // every book, else the one selected
    bool verify = false;              // --verify
    std::vector<uint16_t> mayEmpty{}; // --allow-empty: the books named by --books
};

class CardAccess {
public:
    // Reads --reader and --pin-stdin of the arguments.
    CardAccess(Session& session, const Arguments& arguments, const std::string& command,
               CardAccessOptions options);
    ~CardAccess();
    CardAccess(const CardAccess&) = delete;
    CardAccess& operator=(const CardAccess&) = delete;

    [[nodiscard]] model::CardDocument& card() { return m_card; }
    [[nodiscard]] const model::PluginCalls& calls() const { return m_calls; }
    [[nodiscard]] const model::CardOperations& operations() const { return m_operations; }
    [[nodiscard]] model::EditorSession& session() { return m_session; }
    // The terminal's stand-in for the window's event loop.
    [[nodiscard]] model::UiTaskQueue& uiThread() { return m_uiThread; }
    [[nodiscard]] TerminalPrompter& prompter() { return m_prompter; }
    [[nodiscard]] TerminalProgress& progress() { return m_progress; }
    [[nodiscard]] const CliHost& host() const { return m_host; }
    [[nodiscard]] std::string readerName() const;

    // Waits for a card command, running what it posts to this thread meanwhile.
    [[nodiscard]] model::CardReport wait(const std::shared_ptr<model::CardCommand>& command);
    // A PIN flow of the card, run as the session's command; true when the card took it.
    [[nodiscard]] bool pinFlow(model::PinFlowKind flow, int type);
    // The session's Properties read, finished (see CardCommands::readProperties).
    [[nodiscard]] std::shared_ptr<const model::CardCommand> properties(int kind,
                                                                       bool statesWhenClosed);
    // The session's Save info, finished; true when the line was appended.
    [[nodiscard]] bool saveInfo(const std::filesystem::path& file);

    // Opens the card (PIN1 asked where needed); Failure saying why not.
    void open();
    // Failure with the PIN step's reason, else with the fallback.
    [[noreturn]] void fail(const std::string& fallback) const;
    // Failure saying why the card could not be opened.
    [[noreturn]] void failToOpen() const;

private:
    model::EditorSession& m_session;
    const model::PluginCalls& m_calls;
    Readers m_readers;
    model::CardDocument& m_card;
    TerminalPrompter m_prompter;
    TerminalProgress m_progress;
    CliHost m_host;
    model::UiTaskQueue m_uiThread;
    const model::CardOperations& m_operations;
};

} // namespace pelmora::cli
