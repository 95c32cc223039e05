#pragma once
// One card command's work on a worker thread: read or write one book, or back
// up or restore the whole card. The worker makes every plug-in call of the
// job; the caller touches neither the card document nor the category until
// the job has ended.

#include "CardDocument.h"
#include "Category.h"
#include "JobProgress.h"
#include "PluginCalls.h"

#include <atomic>
#include <string>
#include <thread>

namespace pelmora::model {

enum class CardJobKind { ReadBook, WriteBook, Backup, Restore };

struct CardJob {
    CardJobKind kind = CardJobKind::ReadBook;
    CardDocument* card = nullptr;
    Category* category = nullptr; // books only
    std::u16string file;          // backup and restore only
    JobProgress* progress = nullptr;
    // Records of the card's book, for a write (-1: unknown); slots past them
    // are not handed to the card.
    int recordLimit = -1;
    // Set from any thread to cancel; looked at between the plug-in calls.
    const std::atomic<bool>* cancel = nullptr;

    // Filled by the worker.
    bool succeeded = false;
    // The read failed with status 6Fxx (last error -18).
    bool technicalProblem = false;
    int lastError = 0;
    // Records the plug-in reported done.
    int records = 0;
    [[nodiscard]] bool cancelled() const {
        return cancel != nullptr && cancel->load(std::memory_order_acquire);
    }
};

// The title text of the file a backup or restore is copying ("" for ids
// that are no book).
[[nodiscard]] std::u16string backupFileCaption(int fileId);

class CardJobRunner {
public:
    explicit CardJobRunner(const PluginCalls& calls) : m_calls(calls) {}

    // Runs the job on this thread (the worker's body).
    void work(CardJob& job) const;

private:
    void readPhoneBook(CardJob& job) const;
    void readMessages(CardJob& job) const;
    void writePhoneBook(CardJob& job) const;
    void writeMessages(CardJob& job) const;
    void backup(CardJob& job) const;
    void restore(CardJob& job) const;

    const PluginCalls& m_calls;
};

} // namespace pelmora::model
