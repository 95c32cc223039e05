#pragma once
// The card work below the window: opening, checking and closing the card of
// a reader, probing its books, and the steps that CardCommands makes its
// commands of.

#include "CardDocument.h"
#include "CardJob.h"
#include "JobProgress.h"
#include "PinFlows.h"
#include "PluginCalls.h"
#include "Settings.h"
#include "UiThread.h"
#include "WriteFitCheck.h"
#include "WriteVerification.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace pelmora::platform {
class ProfileDocument;
}

namespace pelmora::model {

class FileDocument;

// The settings that steer Read SIM and Write SIM.
struct CardOptions {
    bool readWriteAll = true;            // every book of the document, else the selected one
    bool saveUpdatedOnly = true;         // a card document writes only changed books
    bool allowEmptyNameContacts = false; // keep entries with a number but no name
    bool withoutHoles = true;            // compact books after reading
    bool verifyWrites = false;           // read each written record back and compare
};
[[nodiscard]] CardOptions cardOptions(const velmet::Settings& settings);

// What the commands need from the user or the window. Called on the UI thread.
class CardHost {
public:
    virtual ~CardHost() = default;
    // Picks one of the readers whose card can be opened; nullptr: cancelled.
    virtual CardDocument* chooseReader(const std::vector<CardDocument*>& readers) = 0;
    // A different card sits in the reader: may the unsaved edits be dropped?
    virtual bool confirmDiscard(CardDocument& card) = 0;
    // These non-empty slots do not fit the card's book: write the rest anyway?
    // Asked for every book of a Write SIM before anything is written.
    virtual bool confirmCut(uint16_t kind, const std::vector<int>& slots) = 0;
    // These entries, names, numbers or values would not reach the card as
    // they are: write the book anyway? By default asked as confirmCut of
    // their slots.
    virtual bool confirmMisfits(uint16_t kind, const std::vector<Misfit>& misfits);
    // This book holds no entry, but the card's book does: erase the card's?
    // Asked before anything is written; unanswered, it is not erased.
    virtual bool confirmEmptyBook(uint16_t /*kind*/) { return false; }
    // The message for a read that failed with status 6Fxx.
    virtual void showError(std::u16string_view text) = 0;
    // The periodic reader refresh (a RefreshWorker): paused, a running pass
    // asked to stop and waited for, before any plug-in call of a command.
    virtual void stopRefresh() {}
    virtual void restartRefresh() {}
};

// The one message the card commands show in their own words.
inline constexpr std::u16string_view kTechnicalProblemText =
    u"Error 0x6F00: Technical problem with no diagnostic given";

// What CardReport lists for Backup and Restore: the whole card.
inline constexpr uint16_t kWholeCard = 0xFFFF;

// Outcome of a card command.
struct CardReport {
    bool opened = false;           // a card was opened to work on
    std::vector<uint16_t> done;    // books read or written
    std::vector<uint16_t> failed;  // books the card did not take or give in full
    std::vector<uint16_t> skipped; // books left alone (unchanged, or cut refused)
    // Books only the card's administrator may update, whose content differs
    // from the card's: left as the card has them.
    std::vector<uint16_t> keptAsOnCard;
    // Books whose written records the card gave back otherwise (also in
    // failed), each with the first such record.
    std::vector<RecordNotAsWritten> notAsWritten;
    // Why each book the card did not take failed (writes only).
    std::vector<BookWriteFailure> writeFailures;
    bool cardRemoved = false;      // the card left the reader during a read
    bool stopped = false;          // a PIN step failed: the command stopped there
    bool cancelled = false;        // the user cancelled: a read changed no book
    int recordsWritten = 0;        // records the card took (writes only)
    [[nodiscard]] bool ok() const { return opened && failed.empty() && !stopped && !cancelled; }
};

class CardOperations {
public:
    CardOperations(const PluginCalls& calls, PinPrompter& prompter, CardHost& host,
                   CardOptions options)
        : m_calls(calls), m_prompter(prompter), m_host(host), m_options(options) {}

    // Non-zero while connected and answering; a card that stopped answering is closed.
    int checkCard(CardDocument& card) const;
    void closeCard(CardDocument& card) const;
    // The first candidate whose card is (or can be) opened and given PIN1
    // where needed; nullptr when none. Everything on the calling thread.
    CardDocument* openCard(std::span<CardDocument* const> candidates) const;
    // The same on a command's worker: the plug-in calls run on the calling
    // thread; the questions, and the change of the document's books to the
    // ones the card answers for, run on ui while the worker waits. A card
    // opened here is closed again, and nullptr given, when cancel was set
    // before that change.
    CardDocument* openCard(std::span<CardDocument* const> candidates, UiThread& ui,
                           const std::atomic<bool>* cancel) const;
    // On a command's worker: offers the readers whose card can be opened
    // (asked on ui), then opens the chosen one as openCard does.
    CardDocument* openCardAsking(std::span<CardDocument* const> readers, UiThread& ui,
                                 const std::atomic<bool>* cancel) const;

    // The card's information as it answers without a PIN (the PIN and PUK
    // states among it), for a card that cannot be opened; false when there
    // is no card to ask.
    bool readStatesWithoutPin(const CardDocument& card, SimInfo& info) const;
    // The first MSISDN entry's number; "" when the card gives none.
    [[nodiscard]] std::u16string ownNumber(CardDocument& card) const;
    // Appends the open card's info line to file; false when the card could
    // not be read or the file not written.
    bool appendInfoLine(CardDocument& card, const std::filesystem::path& file) const;

    [[nodiscard]] PinPrompter& prompter() const { return m_prompter; }
    [[nodiscard]] CardHost& host() const { return m_host; }
    [[nodiscard]] const CardOptions& options() const { return m_options; }

    // The steps the commands are made of, for running them apart.
    [[nodiscard]] std::vector<Category*> booksWorkedOn(Document& document,
                                                       Category* selected) const;
    // Open card without asking, the document being the one candidate; on
    // the calling thread.
    CardDocument* openThis(CardDocument& document) const;
    // Card information with the attributes of book kind (-1: none).
    bool bookInfo(CardDocument& card, int kind, SimInfo& info) const;
    // One book of a Write SIM, looked at before anything is written.
    struct BookWrite {
        enum class Step { Write, Skip, Fail, KeepCards };
        Category* category = nullptr;
        SimInfo book{}; // its file description and access conditions
        Step step = Step::Write;
        bool cutAccepted = false; // the user let values be cut to what the card holds
        std::vector<int> cutSlots; // slots whose values the card holds cut

        // Where a book that is not written goes in the report.
        void reportUnwritten(CardReport& report) const;
        // The book's write job as the plan wants it: no slot past the card's records.
        void prepare(CardJob& job) const;
        // Whether the finished job wrote the book: values cut as the user
        // agreed still reach the card, though the plug-in says they did not fit.
        [[nodiscard]] bool written(const CardJob& job) const;
    };
    // On the UI thread, from the book as the document holds it: a book left
    // alone (unchanged, or read only in part) is decided here.
    [[nodiscard]] BookWrite lookAtBook(bool fromCard, Category& category) const;
    // On the worker, for a book still to be written: the rest of its plan
    // from slots (the copy the book will be written from) and the card's
    // book, the questions on what would not fit asked on ui.
    void planWrite(CardDocument& card, const Category& slots, BookWrite& w, UiThread& ui) const;
    // After a book's write job: whether the book counts as written. A
    // failure, and with verifyWrites a record read back otherwise, is noted
    // in the report.
    bool checkWritten(CardDocument& card, const Category& written, const BookWrite& w,
                      const CardJob& job, CardReport& report) const;
    // The PIN the book's UPDATE condition needs, asked on ui when the card
    // holds none; the card is asked on the calling thread.
    bool pinForUpdate(CardDocument& card, int updateCondition, int pin1Enabled, UiThread& ui) const;
    // Asks (on ui) for the PINs the books held in the backup need on this card.
    bool pinsForRestore(CardDocument& card, const platform::ProfileDocument& backup,
                        UiThread& ui) const;
    // Whether a file read for a restore holds a backup at all.
    static bool holdsBackup(const platform::ProfileDocument& backup);
    // A book just read: nameless entries dropped unless allowed, unchanged, compacted.
    void afterRead(Category& category) const;
    // Runs backup into a fresh file beside file, which replaces file only
    // once backup succeeded.
    static bool backupReplacing(const std::filesystem::path& file,
                                const std::function<bool(const std::u16string& partial)>& backup);

private:
    bool openOne(CardDocument& card, UiThread& ui, const std::atomic<bool>* cancel) const;
    // The books the card answers for.
    [[nodiscard]] std::vector<uint16_t> probedBooks(CardDocument& card) const;
    // PIN type verified where needed, its questions asked on ui.
    bool verifyPin(CardDocument& card, int type, UiThread& ui) const;

    const PluginCalls& m_calls;
    PinPrompter& m_prompter;
    CardHost& m_host;
    CardOptions m_options;
};

} // namespace pelmora::model
