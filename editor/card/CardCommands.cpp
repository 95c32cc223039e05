#include "CardCommands.h"

#include "AtomicFile.h"
#include "CardAnswerText.h"
#include "ProfileDocument.h"
#include "ProgressRelay.h"
#include "UiThreadPrompter.h"

#include <algorithm>
#include <future>
#include <iterator>

namespace pelmora::model {

CardCommand::~CardCommand() {
    if (m_worker.joinable()) {
        // Only when the UI thread never applied the command: the last owner
        // may then be the worker itself.
        if (m_worker.get_id() == std::this_thread::get_id()) {
            m_worker.detach();
        } else {
            m_worker.join();
        }
    }
}

namespace {

// Why a restore failed, as far as the card tells; the records the plug-in
// went through before the failure leave part of the backup on the card.
BookWriteFailure restoreFailure(const CardJob& job) {
    BookWriteFailure failure;
    failure.kind = kWholeCard;
    failure.cardError = job.lastError;
    failure.cardRemoved = cardWasRemoved(job.lastError);
    failure.partlyChanged = job.records > 1;
    return failure;
}

BookWriteFailure notABackupFailure() {
    BookWriteFailure failure;
    failure.kind = kWholeCard;
    failure.notABackup = true;
    return failure;
}

// The slots of a book as they are when a write begins: the worker writes
// from this copy while the window may go on editing the book.
std::unique_ptr<Category> copyOfSlots(const Category& book) {
    auto copy = std::make_unique<Category>(book.kind(), book.slotCount());
    std::copy(book.entries().begin(), book.entries().end(), copy->entries().begin());
    std::copy(book.messages().begin(), book.messages().end(), copy->messages().begin());
    return copy;
}

bool runPinFlow(const PinFlows& pins, CardDocument& card, PinFlowKind flow, int type) {
    switch (flow) {
    case PinFlowKind::Change:
        return pins.changeFlow(card, type);
    case PinFlowKind::Verify:
        return pins.verifyChooser(card, type, true);
    case PinFlowKind::Unblock:
        return pins.unblockStep(card, type, false);
    }
    return false;
}

bool sameSlots(const Category& a, const Category& b) {
    const auto bytes = [](auto span) { return std::as_bytes(span); };
    const auto equal = [](auto x, auto y) { return std::ranges::equal(x, y); };
    return equal(bytes(a.entries()), bytes(b.entries())) &&
           equal(bytes(a.messages()), bytes(b.messages()));
}

} // namespace

struct CardCommands::Run {
    std::shared_ptr<CardCommand> command = std::make_shared<CardCommand>();
    JobProgress* progress = nullptr;
    std::shared_ptr<ProgressRelay> relay;
    Finished finished;
    CardDocument* card = nullptr;

    // Read SIM: each book read into a staging copy that replaces the book's
    // slots only once the whole command went through.
    struct StagedBook {
        Category* book = nullptr;
        std::unique_ptr<Category> staged;
        bool succeeded = false;
        bool technicalProblem = false;
        bool cardRemoved = false; // the card left the reader during or before this book
    };
    std::vector<StagedBook> reads;

    // Write SIM.
    struct PlannedWrite {
        CardOperations::BookWrite plan;
        std::unique_ptr<Category> copy; // Write step only
        bool written = false;           // in full, before any cancel
    };
    std::vector<PlannedWrite> writes;
    bool fromCard = false;

    std::filesystem::path file; // Backup and Restore

    [[nodiscard]] CardReport& report() { return command->m_report; }
    [[nodiscard]] bool cancelled() const { return command->cancelRequested(); }
    [[nodiscard]] CardJob job(CardJobKind kind, Category* category) {
        CardJob j;
        j.kind = kind;
        j.card = card;
        j.category = category;
        j.progress = relay.get();
        j.cancel = &command->m_cancel;
        return j;
    }
};

std::shared_ptr<CardCommands::Run> CardCommands::begin(JobProgress& progress,
                                                       Finished finished) const {
    auto run = std::make_shared<Run>();
    run->progress = &progress;
    run->relay = std::make_shared<ProgressRelay>(m_ui, progress);
    run->finished = std::move(finished);
    m_operations.host().stopRefresh();
    return run;
}

void CardCommands::end(Run& run) const {
    run.command->m_finished = true;
    m_operations.host().restartRefresh();
    if (run.finished) {
        run.finished(*run.command);
    }
    run.progress->done();
}

bool CardCommands::open(Run& run, std::span<CardDocument* const> candidates, bool asking) const {
    const std::atomic<bool>* cancel = &run.command->m_cancel;
    run.card = asking ? m_operations.openCardAsking(candidates, m_ui, cancel)
                      : m_operations.openCard(candidates, m_ui, cancel);
    run.report().opened = run.card != nullptr;
    run.report().cancelled = run.card == nullptr && run.cancelled();
    return run.card != nullptr;
}

std::shared_ptr<CardCommand> CardCommands::start(std::shared_ptr<Run> run,
                                                 std::function<void(Run&)> work,
                                                 std::function<void(Run&)> apply) const {
    run->command->m_worker =
        std::thread([this, run, work = std::move(work), apply = std::move(apply)] {
            work(*run);
            // Posted after every progress report of the worker, so it comes after them.
            auto applied = std::make_shared<std::promise<void>>();
            std::future<void> done = applied->get_future();
            m_ui.post([run, apply, applied] {
                apply(*run);
                applied->set_value();
            });
            done.wait();
            // The slots the books held before a read are zeroed and freed here,
            // not on the UI thread.
            run->reads.clear();
            run->writes.clear();
            m_ui.post([this, run] {
                run->command->m_worker.join();
                end(*run);
            });
        });
    return run->command;
}

std::shared_ptr<CardCommand> CardCommands::readSim(CardDocument& document, Category* selected,
                                                   JobProgress& progress, Finished finished) const {
    auto run = begin(progress, std::move(finished));
    run->command->m_documents = {&document};
    auto work = [this, &document, selected](Run& r) {
        CardDocument* const one[] = {&document};
        if (!open(r, one, false)) {
            return;
        }
        runOnUiThread(m_ui, [&] {
            for (Category* book : m_operations.booksWorkedOn(document, selected)) {
                Run::StagedBook read;
                read.book = book;
                read.staged = std::make_unique<Category>(book->kind(), 0);
                r.reads.push_back(std::move(read));
            }
        });
        const CardJobRunner runner(m_calls);
        for (Run::StagedBook& read : r.reads) {
            if (r.cancelled()) {
                break;
            }
            CardJob job = r.job(CardJobKind::ReadBook, read.staged.get());
            runner.work(job);
            read.succeeded = job.succeeded;
            read.technicalProblem = job.technicalProblem;
            read.cardRemoved = !job.succeeded && cardLeftReader(m_calls, *r.card, job.lastError);
            m_operations.afterRead(*read.staged);
        }
        r.report().cancelled = r.cancelled();
    };
    auto apply = [this](Run& r) {
        if (r.report().cancelled) {
            return;
        }
        for (Run::StagedBook& read : r.reads) {
            if (read.technicalProblem) {
                m_operations.host().showError(kTechnicalProblemText);
            }
            (read.succeeded ? r.report().done : r.report().failed).push_back(read.book->kind());
            r.report().cardRemoved = r.report().cardRemoved || read.cardRemoved;
            const bool nothingRead = !read.succeeded && read.staged->slotCount() == 0;
            if (nothingRead) {
                read.book->setIncomplete(true);
            } else {
                read.book->takeContents(*read.staged);
            }
        }
    };
    return start(run, work, apply);
}

std::shared_ptr<CardCommand> CardCommands::writeSim(Document& document, Category* selected,
                                                    std::span<CardDocument* const> readers,
                                                    JobProgress& progress,
                                                    Finished finished) const {
    auto run = begin(progress, std::move(finished));
    // A file's books go to the card of one of the readers, chosen once their
    // cards were looked at: each of them may be opened.
    std::vector<CardDocument*> candidates;
    if (document.kind() == DocumentKind::Card) {
        candidates.push_back(&static_cast<CardDocument&>(document));
    } else {
        std::ranges::copy_if(readers, std::back_inserter(candidates),
                             [](const CardDocument* reader) { return reader != nullptr; });
    }
    run->command->m_documents = {&document};
    for (CardDocument* reader : candidates) {
        if (reader != &document) {
            run->command->m_documents.push_back(reader);
        }
    }
    auto work = [this, &document, selected, candidates](Run& r) {
        if (!open(r, candidates, document.kind() != DocumentKind::Card)) {
            return;
        }
        r.fromCard = &document == r.card;
        runOnUiThread(m_ui, [&] {
            for (Category* book : m_operations.booksWorkedOn(document, selected)) {
                Run::PlannedWrite write;
                write.plan = m_operations.lookAtBook(r.fromCard, *book);
                if (write.plan.step == CardOperations::BookWrite::Step::Write) {
                    write.copy = copyOfSlots(*book);
                }
                r.writes.push_back(std::move(write));
            }
        });
        // Every book is looked at first, so that entries that would not fit
        // are named before anything is written.
        for (Run::PlannedWrite& write : r.writes) {
            if (write.copy) {
                m_operations.planWrite(*r.card, *write.copy, write.plan, m_ui);
            }
        }
        const CardJobRunner runner(m_calls);
        for (Run::PlannedWrite& write : r.writes) {
            const uint16_t kind = write.plan.category->kind();
            if (r.cancelled()) {
                r.report().cancelled = true;
                break;
            }
            if (write.plan.step != CardOperations::BookWrite::Step::Write) {
                write.plan.reportUnwritten(r.report());
                continue;
            }
            const SimInfo& book = write.plan.book;
            if (!m_operations.pinForUpdate(*r.card, book.bookAttributes[5], book.pin1Enabled,
                                           m_ui)) {
                r.report().stopped = true;
                break;
            }
            CardJob job = r.job(CardJobKind::WriteBook, write.copy.get());
            write.plan.prepare(job);
            runner.work(job);
            r.report().recordsWritten += job.records;
            const bool written =
                m_operations.checkWritten(*r.card, *write.copy, write.plan, job, r.report());
            (written ? r.report().done : r.report().failed).push_back(kind);
            write.written = written && !r.cancelled();
        }
        r.report().cancelled = r.report().cancelled || r.cancelled();
    };
    auto apply = [](Run& r) {
        // A file's books written to a card do not make the file saved; a
        // book edited while it was written stays changed.
        for (Run::PlannedWrite& write : r.writes) {
            if (r.fromCard && write.written && sameSlots(*write.plan.category, *write.copy)) {
                write.plan.category->markUnchanged();
            }
        }
    };
    return start(run, work, apply);
}

std::shared_ptr<CardCommand> CardCommands::wholeCardCommand(
    CardDocument& document, const std::filesystem::path& file, JobProgress& progress,
    Finished finished, std::function<bool(Run&)> transfer, std::function<void(Run&)> closed) const {
    auto run = begin(progress, std::move(finished));
    run->command->m_documents = {&document};
    run->file = file;
    auto work = [this, &document, transfer = std::move(transfer),
                 closed = std::move(closed)](Run& r) {
        CardDocument* const one[] = {&document};
        if (!open(r, one, false)) {
            if (closed && !r.cancelled()) {
                r.card = &document;
                closed(r);
            }
            return;
        }
        (transfer(r) ? r.report().done : r.report().failed).push_back(kWholeCard);
        r.report().cancelled = r.cancelled();
    };
    return start(run, work, [](Run&) {});
}

std::shared_ptr<CardCommand> CardCommands::backupSim(CardDocument& document,
                                                     const std::filesystem::path& file,
                                                     JobProgress& progress,
                                                     Finished finished) const {
    return wholeCardCommand(document, file, progress, std::move(finished), [this](Run& r) {
        return CardOperations::backupReplacing(r.file, [&](const std::u16string& partial) {
            CardJob job = r.job(CardJobKind::Backup, nullptr);
            job.file = partial;
            CardJobRunner(m_calls).work(job);
            // A cancelled backup leaves the old file as it was.
            return job.succeeded && !r.cancelled();
        });
    });
}

std::shared_ptr<CardCommand> CardCommands::restoreSim(CardDocument& document,
                                                      const std::filesystem::path& file,
                                                      JobProgress& progress,
                                                      Finished finished) const {
    return wholeCardCommand(document, file, progress, std::move(finished), [this](Run& r) {
        std::error_code unreadable;
        const auto bytes = platform::readWholeFile(r.file, unreadable);
        const platform::ProfileDocument backup =
            bytes ? platform::ProfileDocument::parse(*bytes) : platform::ProfileDocument{};
        // A file that cannot be read is the plug-in's to report. One that
        // holds no backup is not given to it: it would write nothing and
        // could name no reason.
        if (bytes && !CardOperations::holdsBackup(backup)) {
            r.report().writeFailures.push_back(notABackupFailure());
            return false;
        }
        const bool pinsGiven = !r.cancelled() && m_operations.pinsForRestore(*r.card, backup, m_ui);
        r.report().stopped = !r.cancelled() && !pinsGiven;
        if (!pinsGiven) {
            return false;
        }
        CardJob job = r.job(CardJobKind::Restore, nullptr);
        job.file = r.file.u16string();
        CardJobRunner(m_calls).work(job);
        r.report().recordsWritten += job.records;
        if (!job.succeeded) {
            r.report().writeFailures.push_back(restoreFailure(job));
        }
        return job.succeeded;
    });
}

std::shared_ptr<CardCommand> CardCommands::pinFlow(CardDocument& document, PinFlowKind flow,
                                                   int type, JobProgress& progress,
                                                   Finished finished) const {
    auto work = [this, flow, type](Run& r) {
        UiThreadPrompter prompter(m_ui, m_operations.prompter());
        const bool given = runPinFlow(PinFlows(m_calls, prompter), *r.card, flow, type);
        r.report().stopped = !given;
        return given;
    };
    return wholeCardCommand(document, {}, progress, std::move(finished), work);
}

std::shared_ptr<CardCommand> CardCommands::readProperties(CardDocument& document, int kind,
                                                          bool statesWhenClosed,
                                                          JobProgress& progress,
                                                          Finished finished) const {
    auto read = [this, kind](Run& r) {
        SimInfo info{};
        if (!m_operations.bookInfo(*r.card, kind, info)) {
            return false;
        }
        r.command->m_cardInfo = info;
        return true;
    };
    std::function<void(Run&)> states;
    if (statesWhenClosed) {
        states = [this](Run& r) {
            SimInfo info{};
            if (m_operations.readStatesWithoutPin(*r.card, info)) {
                r.command->m_cardInfo = info;
            }
        };
    }
    return wholeCardCommand(document, {}, progress, std::move(finished), read, states);
}

std::shared_ptr<CardCommand> CardCommands::saveInfo(CardDocument& document,
                                                    const std::filesystem::path& file,
                                                    JobProgress& progress,
                                                    Finished finished) const {
    return wholeCardCommand(document, file, progress, std::move(finished), [this](Run& r) {
        return m_operations.appendInfoLine(*r.card, r.file);
    });
}

} // namespace pelmora::model
