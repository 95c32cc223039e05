#pragma once
// The card commands that never block the UI thread. Each call returns at once
// with the command's handle while a worker makes every plug-in call, from
// opening the card on. What the worker must ask (the reader, PINs, "discard
// the edits of another card?", what would not fit) reaches the CardHost and
// PinPrompter of the operations on the UI thread through the UiThread hook,
// while the worker waits; so do its progress and every change to a document
// a view shows. The UI thread must keep running posted tasks until every
// command has finished: only then are report() and the card document's
// books known.

#include "CardCommand.h"
#include "UiThread.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <span>

namespace pelmora::model {

// The PIN flows a command runs: change, enable or disable; verify (PIN1
// even when its check is off, which switches it on); unblock a blocked PIN.
enum class PinFlowKind { Change, Verify, Unblock };

class CardCommands {
public:
    // Called on the UI thread when a command has finished, before progress.done().
    using Finished = std::function<void(CardCommand&)>;

    CardCommands(const CardOperations& operations, const PluginCalls& calls, UiThread& uiThread)
        : m_operations(operations), m_calls(calls), m_ui(uiThread) {}

    // All on the UI thread; progress is called there and must outlive the command.
    [[nodiscard]] std::shared_ptr<CardCommand> readSim(CardDocument& card, Category* selected,
                                                       JobProgress& progress,
                                                       Finished finished = {}) const;
    [[nodiscard]] std::shared_ptr<CardCommand> writeSim(Document& document, Category* selected,
                                                        std::span<CardDocument* const> readers,
                                                        JobProgress& progress,
                                                        Finished finished = {}) const;
    [[nodiscard]] std::shared_ptr<CardCommand> backupSim(CardDocument& card,
                                                         const std::filesystem::path& file,
                                                         JobProgress& progress,
                                                         Finished finished = {}) const;
    [[nodiscard]] std::shared_ptr<CardCommand> restoreSim(CardDocument& card,
                                                          const std::filesystem::path& file,
                                                          JobProgress& progress,
                                                          Finished finished = {}) const;

    // The PIN flows of a card: opens it (asking PIN1, as Read SIM does),
    // then runs the flow for PIN type 1 or 2; each question of the flow
    // reaches the operations' prompter on the UI thread. When
    // the card took it, report().done holds kWholeCard, else report().stopped.
    [[nodiscard]] std::shared_ptr<CardCommand> pinFlow(CardDocument& card, PinFlowKind flow,
                                                       int type, JobProgress& progress,
                                                       Finished finished = {}) const;
    // Properties: opens the card and reads its information with the
    // attributes of book kind (-1: the card's own) into cardInfo().
    // statesWhenClosed: a card that cannot be opened still gives the states
    // of its PINs and PUKs (report().opened stays false).
    [[nodiscard]] std::shared_ptr<CardCommand> readProperties(CardDocument& card, int kind,
                                                              bool statesWhenClosed,
                                                              JobProgress& progress,
                                                              Finished finished = {}) const;
    // Save info: opens the card and appends its info line to file;
    // report().done holds kWholeCard when the line was written.
    [[nodiscard]] std::shared_ptr<CardCommand> saveInfo(CardDocument& card,
                                                        const std::filesystem::path& file,
                                                        JobProgress& progress,
                                                        Finished finished = {}) const;

private:
    struct Run;
    // Starts work on a worker; apply then runs on the UI thread, then the end.
    [[nodiscard]] std::shared_ptr<CardCommand> start(std::shared_ptr<Run> run,
                                                     std::function<void(Run&)> work,
                                                     std::function<void(Run&)> apply) const;
    // On the worker: opens the card of one of candidates (asking which one
    // when asking) into run.card; false when none was opened or the command
    // was cancelled first.
    bool open(Run& run, std::span<CardDocument* const> candidates, bool asking) const;
    [[nodiscard]] std::shared_ptr<Run> begin(JobProgress& progress, Finished finished) const;
    // Opens the card and runs transfer, both on the worker; its result is the
    // whole card's outcome. closed, when set, runs instead for a card that
    // cannot be opened.
    [[nodiscard]] std::shared_ptr<CardCommand>
    wholeCardCommand(CardDocument& document, const std::filesystem::path& file,
                     JobProgress& progress, Finished finished, std::function<bool(Run&)> transfer,
                     std::function<void(Run&)> closed = {}) const;
    void end(Run& run) const;

    const CardOperations& m_operations;
    const PluginCalls& m_calls;
    UiThread& m_ui;
};

} // namespace pelmora::model
