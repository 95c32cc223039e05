#include "CardOperations.h"

#include "BackupSections.h"
#include "CardAnswerText.h"
#include "CardBookChecks.h"
#include "CardErrors.h"
#include "CardInfoLine.h"
#include "FileAppend.h"
#include "FileTime.h"
#include "ProfileDocument.h"
#include "Records.h"
#include "UiThreadPrompter.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace pelmora::model {

namespace {

constexpr int kConditionPin1 = 1;
constexpr int kConditionPin2 = 2;
constexpr int kConditionAdministrator = 4;

} // namespace

bool CardHost::confirmMisfits(uint16_t kind, const std::vector<Misfit>& misfits) {
    std::vector<int> slots;
    for (const Misfit& m : misfits) {
        if (slots.empty() || slots.back() != m.slot) {
            slots.push_back(m.slot);
        }
    }
    return confirmCut(kind, slots);
}

CardOptions cardOptions(const velmet::Settings& settings) {
    return {settings.simReadWriteAll, settings.simSaveUpdatedOnly, settings.allowEmptyNameContacts,
            settings.simWithoutHoles, settings.verifyAfterWrite};
}

int CardOperations::checkCard(CardDocument& card) const {
    card.lastResult = 0;
    card.info = SimInfo{};
    if (card.connection == nullptr) {
        return 0;
    }
    const int result = m_calls.cardInfo(card);
    if (result == 0) {
        closeCard(card);
    }
    return result;
}

void CardOperations::closeCard(CardDocument& card) const {
    m_calls.close(card);
}

bool CardOperations::verifyPin(CardDocument& card, int type, UiThread& ui) const {
    UiThreadPrompter prompter(ui, m_prompter);
    return PinFlows(m_calls, prompter).verifyChooser(card, type, false);
}

bool CardOperations::openOne(CardDocument& card, UiThread& ui,
                             const std::atomic<bool>* cancel) const {
    const bool wasOpen = checkCard(card) != 0;
    if (!wasOpen && m_calls.connect(card, card.reader) == 0) {
        return false;
    }
    std::u16string iccid;
    bool sameCard = true;
    if (!wasOpen) {
        // The basic information of the connection holds no ICCID.
        SimInfo details{};
        iccid = bookInfo(card, -1, details) ? std::u16string(fieldText(details.iccid)) : u"";
        sameCard = !card.booksCardId.empty() && iccid == card.booksCardId;
        // Another card (or the first one): its books replace the old ones,
        // after asking when edits would be lost.
        const bool mayReplace = sameCard || askOnUiThread(ui, [&] {
                                    return !card.anyChanged() || m_host.confirmDiscard(card);
                                });
        if (!mayReplace || !verifyPin(card, 1, ui)) {
            closeCard(card);
            return false;
        }
    }
    const std::vector<uint16_t> books =
        !sameCard || card.categories().empty() ? probedBooks(card) : std::vector<uint16_t>{};
    // A card opened here is let go again when the command was cancelled meanwhile.
    if (!wasOpen && cancel != nullptr && cancel->load(std::memory_order_acquire)) {
        closeCard(card);
        return false;
    }
    // The books change at once, where the views that show them live.
    runOnUiThread(ui, [&] {
        if (!sameCard) {
            card.releaseCategories();
            card.booksCardId = iccid;
        }
        for (const uint16_t kind : books) {
            card.addCategory(kind, 0);
        }
    });
    return true;
}

CardDocument* CardOperations::openCard(std::span<CardDocument* const> candidates, UiThread& ui,
                                       const std::atomic<bool>* cancel) const {
    for (CardDocument* card : candidates) {
        if (card != nullptr && openOne(*card, ui, cancel)) {
            return card;
        }
    }
    return nullptr;
}

CardDocument* CardOperations::openCard(std::span<CardDocument* const> candidates) const {
    CallingThread here;
    return openCard(candidates, here, nullptr);
}

CardDocument* CardOperations::openCardAsking(std::span<CardDocument* const> readers, UiThread& ui,
                                             const std::atomic<bool>* cancel) const {
    std::vector<CardDocument*> present;
    for (CardDocument* card : readers) {
        if (card == nullptr) {
            continue;
        }
        if (checkCard(*card) != 0) {
            present.push_back(card);
            continue;
        }
        CardDocument probe;
        if (m_calls.connect(probe, card->reader) != 0) {
            m_calls.close(probe);
            present.push_back(card);
        }
    }
    CardDocument* chosen = nullptr;
    if (!present.empty()) {
        runOnUiThread(ui, [&] { chosen = m_host.chooseReader(present); });
    }
    if (chosen == nullptr) {
        return nullptr;
    }
    CardDocument* const one[] = {chosen};
    return openCard(one, ui, cancel);
}

std::vector<uint16_t> CardOperations::probedBooks(CardDocument& card) const {
    static constexpr uint16_t kProbeOrder[] = {kBookNextel, kBookAdn, kBookUsim, kBookMsisdn,
                                               kBookLnd,    kBookFdn, kBookSdn,  kBookBdn};
    std::vector<uint16_t> books;
    // A book the card failed to describe is kept: reading it then fails,
    // where dropping it would pass a card fault as an absent book.
    for (uint16_t kind : kProbeOrder) {
        PhoneBookRequest request{};
        if (m_calls.readPhoneBook(card, kind, request) != 0 || !cardHasNoSuchFile(card.lastError)) {
            books.push_back(kind);
        }
    }
    SmsRequest messages{};
    if (m_calls.readMessages(card, messages) != 0 || !cardHasNoSuchFile(card.lastError)) {
        books.push_back(kBookSms);
    }
    return books;
}

std::vector<Category*> CardOperations::booksWorkedOn(Document& document, Category* selected) const {
    std::vector<Category*> books;
    const auto& all = document.categories();
    if (all.empty()) {
        return books;
    }
    if (m_options.readWriteAll) {
        for (const auto& c : all) {
            books.push_back(c.get());
        }
        return books;
    }
    for (const auto& c : all) {
        if (c.get() == selected) {
            books.push_back(selected);
            return books;
        }
    }
    books.push_back(all.front().get());
    return books;
}

void CardOperations::afterRead(Category& category) const {
    // Entries without a name are kept: dropping them here would let the next
    // Write SIM overwrite their records on the card.
    category.markUnchanged();
    if (m_options.withoutHoles) {
        category.compact();
    }
}

bool CardOperations::pinForUpdate(CardDocument& card, int updateCondition, int pin1Enabled,
                                  UiThread& ui) const {
    if (updateCondition == kConditionPin1 && pin1Enabled != 0 && !card.pin1().present()) {
        return verifyPin(card, 1, ui);
    }
    if (updateCondition == kConditionPin2 && !card.pin2().present()) {
        return verifyPin(card, 2, ui);
    }
    return true;
}

CardOperations::BookWrite CardOperations::lookAtBook(bool fromCard, Category& category) const {
    BookWrite w;
    w.category = &category;
    if (fromCard && m_options.saveUpdatedOnly && category.unchanged()) {
        w.step = BookWrite::Step::Skip;
    } else if (category.incomplete()) {
        // Writing a book that was read only in part would blank the records
        // that were never read.
        w.step = BookWrite::Step::Fail;
    }
    return w;
}

void CardOperations::planWrite(CardDocument& card, const Category& slots, BookWrite& w,
                               UiThread& ui) const {
    const uint16_t kind = slots.kind();
    if (!bookInfo(card, kind, w.book)) {
        w.step = BookWrite::Step::Fail;
        return;
    }
    // Administrator (4 to 14) or never (15): the card would refuse the update.
    if (w.book.bookAttributes[5] >= kConditionAdministrator) {
        w.step = differsFromCardBook(m_calls, card, slots) ? BookWrite::Step::KeepCards
                                                           : BookWrite::Step::Skip;
        return;
    }
    if (holdsNoEntry(slots) && cardBookHoldsEntries(m_calls, card, kind) &&
        !askOnUiThread(ui, [&] { return m_host.confirmEmptyBook(kind); })) {
        w.step = BookWrite::Step::Skip;
        return;
    }
    const std::vector<Misfit> misfits =
        entriesThatDoNotFit(slots, w.book, cardValuesWithoutRoom(m_calls, card, kind));
    if (!misfits.empty()) {
        w.cutAccepted = askOnUiThread(ui, [&] { return m_host.confirmMisfits(kind, misfits); });
        for (const Misfit& misfit : misfits) {
            w.cutSlots.push_back(misfit.slot);
        }
        if (!w.cutAccepted) {
            w.step = BookWrite::Step::Skip;
        }
    }
}

void CardOperations::BookWrite::reportUnwritten(CardReport& report) const {
    auto& list = step == Step::Fail        ? report.failed
                 : step == Step::KeepCards ? report.keptAsOnCard
                                           : report.skipped;
    list.push_back(category->kind());
}

void CardOperations::BookWrite::prepare(CardJob& job) const {
    job.recordLimit = cardRecordCount(book);
}

bool CardOperations::BookWrite::written(const CardJob& job) const {
    return job.succeeded || (cutAccepted && job.lastError == kBrontelErrorValueDidNotFit);
}

bool CardOperations::checkWritten(CardDocument& card, const Category& written, const BookWrite& w,
                                  const CardJob& job, CardReport& report) const {
    if (!w.written(job)) {
        report.writeFailures.push_back(
            describeWriteFailure(m_calls, card, written, job.lastError, job.records, w.cutSlots));
        return false;
    }
    if (m_options.verifyWrites) {
        const int record = firstRecordNotAsWritten(m_calls, card, written, w.cutSlots);
        if (record != kAllAsWritten) {
            report.notAsWritten.push_back({written.kind(), record});
            return false;
        }
    }
    return true;
}

bool CardOperations::backupReplacing(
    const std::filesystem::path& file,
    const std::function<bool(const std::u16string& partial)>& backup) {
    // Into a fresh file beside the old one, which is replaced only by a
    // complete backup.
    // The plug-in creates its own file under the fresh name.
    const std::optional<std::filesystem::path> fresh = platform::freshNameBeside(file);
    if (!fresh) {
        return false;
    }
    const std::filesystem::path& partial = *fresh;
    std::error_code ec;
    if (backup(partial.u16string())) {
        std::filesystem::rename(partial, file, ec);
        if (!ec) {
            return true;
        }
    }
    std::filesystem::remove(partial, ec);
    return false;
}

bool CardOperations::pinsForRestore(CardDocument& card, const platform::ProfileDocument& backup,
                                    UiThread& ui) const {
    // A book the card lets only PIN2 update is written only once PIN2 was given.
    for (const int kind : {kBookFdn, kBookBdn}) {
        SimInfo book;
        if (backup.hasSection(brontel::backupBookSection(static_cast<uint16_t>(kind))) &&
            bookInfo(card, kind, book) &&
            !pinForUpdate(card, book.bookAttributes[5], book.pin1Enabled, ui)) {
            return false;
        }
    }
    return true;
}

bool CardOperations::holdsBackup(const platform::ProfileDocument& backup) {
    const std::vector<std::u16string> sections = backup.sectionNames();
    return std::any_of(sections.begin(), sections.end(), brontel::isBackupSectionName);
}

CardDocument* CardOperations::openThis(CardDocument& document) const {
    CardDocument* const candidates[] = {&document};
    return openCard(candidates);
}

bool CardOperations::bookInfo(CardDocument& card, int kind, SimInfo& info) const {
    info = SimInfo{};
    info.read_details = 1;
    info.book_file = kind;
    return m_calls.cardInfo(card, info) != 0;
}

bool CardOperations::readStatesWithoutPin(const CardDocument& document, SimInfo& info) const {
    CardDocument probe;
    const bool read = m_calls.connect(probe, document.reader) != 0 && bookInfo(probe, -1, info);
    m_calls.close(probe);
    return read;
}

std::u16string CardOperations::ownNumber(CardDocument& card) const {
    PhoneBookRequest count{};
    if (m_calls.readPhoneBook(card, kBookMsisdn, count) == 0 || count.count <= 0) {
        return {};
    }
    std::vector<PhoneBookEntry> entries(
        static_cast<size_t>(std::min<int32_t>(count.count, Category::kMaxSlots)));
    PhoneBookRequest full{};
    full.entries = entries.data();
    full.count = static_cast<int32_t>(entries.size());
    if (m_calls.readPhoneBook(card, kBookMsisdn, full) == 0) {
        return {};
    }
    return std::u16string(fieldText(entries.front().value0));
}

bool CardOperations::appendInfoLine(CardDocument& card, const std::filesystem::path& file) const {
    SimInfo info{};
    if (!bookInfo(card, -1, info)) {
        return false;
    }
    const std::u16string number = ownNumber(card);
    return appendCardInfoLine(file, cardInfoLine(info, number, platform::currentLocalTime()));
}

} // namespace pelmora::model
