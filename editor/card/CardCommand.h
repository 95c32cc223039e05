#pragma once
// The handle of a running card command (Read, Write, Backup or Restore SIM,
// a PIN flow, the Properties read, Save info).
// A command runs in three steps: it works on the worker thread (every
// plug-in call, from opening the card on, into staging copies), asks the
// user on the UI thread while the worker waits, and applies the result on the
// UI thread, where it then reports JobProgress::done().

#include "CardOperations.h"

#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

namespace pelmora::model {

class CardCommand {
public:
    CardCommand() = default;
    ~CardCommand();
    CardCommand(const CardCommand&) = delete;
    CardCommand& operator=(const CardCommand&) = delete;

    // Any thread. The worker stops at the next book: a cancelled read changes
    // no book; a cancelled write keeps what the card took (report().recordsWritten)
    // and leaves the books that were not written in full changed.
    void cancel() { m_cancel.store(true, std::memory_order_release); }
    [[nodiscard]] bool cancelRequested() const { return m_cancel.load(std::memory_order_acquire); }

    // UI thread: true once the command applied its work and reported done().
    [[nodiscard]] bool finished() const { return m_finished; }
    // UI thread: the outcome, complete once finished().
    [[nodiscard]] const CardReport& report() const { return m_report; }
    // UI thread, once finished(): the card information a Properties read gave.
    [[nodiscard]] const std::optional<SimInfo>& cardInfo() const { return m_cardInfo; }
    // The documents the command works on until it has finished (a file's
    // Write SIM: the file and every reader it may pick).
    [[nodiscard]] const std::vector<Document*>& documents() const { return m_documents; }

private:
    friend class CardCommands;

    std::atomic<bool> m_cancel{false};
    bool m_finished = false;
    CardReport m_report;
    std::optional<SimInfo> m_cardInfo;
    std::vector<Document*> m_documents;
    std::thread m_worker;
};

} // namespace pelmora::model
