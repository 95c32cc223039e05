#include "CardJob.h"

#include "BookKind.h"
#include "CardErrors.h"
#include "LangText.h"

#include <algorithm>
#include <span>

namespace pelmora::model {

namespace {

using velmet::langText;

struct JobContext {
    CardJob* job;
    bool restoring;
};

JobProgress& progressOf(CardJob& job) {
    static SilentProgress silent;
    return job.progress != nullptr ? *job.progress : silent;
}

// The bar takes a 16-bit maximum.
int barRange(int count) {
    return std::clamp(count, 0, 65535);
}

void readProgress(int index, int total, const char16_t*, const char16_t*, intptr_t user) {
    auto* job = reinterpret_cast<CardJob*>(user);
    ++job->records;
    JobProgress& p = progressOf(*job);
    p.status(langText(87, index, total));
    p.step();
}

void writeProgress(int index, int total, const char16_t*, const char16_t*, intptr_t user) {
    auto* job = reinterpret_cast<CardJob*>(user);
    ++job->records;
    JobProgress& p = progressOf(*job);
    p.status(langText(88, index, total));
    p.step();
}

int backupProgress(int record, int recordCount, int fileId, int, intptr_t user) {
    auto* context = reinterpret_cast<JobContext*>(user);
    if (context->restoring) {
        ++context->job->records;
    }
    JobProgress& p = progressOf(*context->job);
    p.status(langText(89, record, recordCount));
    p.title(langText(context->restoring ? 93 : 92, backupFileCaption(fileId)));
    return 1;
}

// The category resized to the count the card gave and cleared; false (the
// category incomplete) when it cannot take that many.
bool makeRoom(JobProgress& p, Category& category, int32_t cardCount) {
    const int count = std::clamp<int>(cardCount, 0, Category::kMaxSlots);
    p.range(barRange(count));
    if (!category.setCapacity(static_cast<uint32_t>(count))) {
        category.setIncomplete(true);
        return false;
    }
    category.clear();
    return true;
}

// A request for every slot of the category, reporting to the job.
template <typename Request, typename Entry>
Request slotsRequest(std::span<Entry> slots, ProgressCallback progress, CardJob& job) {
    Request request{};
    request.entries = slots.data();
    request.count = static_cast<int32_t>(slots.size());
    request.progress = progress;
    request.user = reinterpret_cast<intptr_t>(&job);
    return request;
}

FileDescription descriptionOf(const PhoneBookRequest& r) {
    return {r.fileSize,      r.fileType,        r.structure, r.recordLength,
            r.readCondition, r.updateCondition, r.unused};
}

} // namespace

std::u16string backupFileCaption(int fileId) {
    if (fileId == kBookUsim) {
        return bookCaption(kBookUsim); // saved and restored as a book, not as files
    }
    for (size_t i = 0; i < kBookCreationOrder.size(); ++i) {
        if (static_cast<int>(kBookCreationOrder[i]) == fileId && fileId != 0) {
            return langText(24 + static_cast<int>(i));
        }
    }
    return {};
}

void CardJobRunner::work(CardJob& job) const {
    job.succeeded = false;
    job.technicalProblem = false;
    if (job.card != nullptr) {
        const bool messages = job.category != nullptr && job.category->isMessages();
        switch (job.kind) {
        case CardJobKind::ReadBook:
            if (job.category != nullptr) {
                messages ? readMessages(job) : readPhoneBook(job);
            }
            break;
        case CardJobKind::WriteBook:
            if (job.category != nullptr) {
                messages ? writeMessages(job) : writePhoneBook(job);
            }
            break;
        case CardJobKind::Backup:
            backup(job);
            break;
        case CardJobKind::Restore:
            restore(job);
            break;
        }
        job.lastError = job.card->lastError;
    }
    progressOf(job).done();
}

void CardJobRunner::readPhoneBook(CardJob& job) const {
    JobProgress& p = progressOf(job);
    CardDocument& card = *job.card;
    Category& category = *job.category;
    p.title(langText(84));
    p.range(100);
    card.lastError = 0;
    PhoneBookRequest request{};
    if (m_calls.readPhoneBook(card, category.kind(), request) == 0) {
        category.setIncomplete(true);
        job.technicalProblem = card.lastError == kSimErrorTechnicalProblem;
        return;
    }
    if (job.cancelled() || !makeRoom(p, category, request.count)) {
        category.setIncomplete(true);
        return;
    }
    auto full = slotsRequest<PhoneBookRequest>(category.entries(), readProgress, job);
    const int result = m_calls.readPhoneBook(card, category.kind(), full);
    category.setFileDescription(descriptionOf(full));
    job.succeeded = result != 0;
    category.setIncomplete(!job.succeeded);
    job.technicalProblem = !job.succeeded && card.lastError == kSimErrorTechnicalProblem;
}

void CardJobRunner::readMessages(CardJob& job) const {
    JobProgress& p = progressOf(job);
    CardDocument& card = *job.card;
    Category& category = *job.category;
    p.title(langText(86));
    SmsRequest request{};
    if (m_calls.readMessages(card, request) == 0) {
        category.setIncomplete(true);
        return;
    }
    if (job.cancelled() || !makeRoom(p, category, request.count)) {
        category.setIncomplete(true);
        return;
    }
    auto full = slotsRequest<SmsRequest>(category.messages(), readProgress, job);
    job.succeeded = m_calls.readMessages(card, full) != 0;
    category.setIncomplete(!job.succeeded);
}

void CardJobRunner::writePhoneBook(CardJob& job) const {
    JobProgress& p = progressOf(job);
    Category& category = *job.category;
    p.title(langText(85));
    const uint32_t count = category.slotCount();
    if (count == 0) {
        // Nothing to write is nothing that failed.
        job.succeeded = true;
        return;
    }
    p.range(barRange(static_cast<int>(count)));
    auto request = slotsRequest<PhoneBookRequest>(category.entries(), writeProgress, job);
    job.succeeded = m_calls.writePhoneBook(*job.card, category.kind(), request) != 0;
}

void CardJobRunner::writeMessages(CardJob& job) const {
    JobProgress& p = progressOf(job);
    Category& category = *job.category;
    p.title(langText(86));
    auto request = slotsRequest<SmsRequest>(category.messages(), writeProgress, job);
    // A store larger than the card's: the slots past its records were
    // checked before writing and are left out.
    if (job.recordLimit >= 0 && request.count > job.recordLimit) {
        request.count = job.recordLimit;
    }
    job.succeeded = m_calls.writeMessages(*job.card, request) != 0;
}

void CardJobRunner::backup(CardJob& job) const {
    progressOf(job).title(langText(90));
    JobContext context{&job, false};
    job.succeeded = m_calls.backup(*job.card, job.file, backupProgress,
                                   reinterpret_cast<intptr_t>(&context)) != 0;
}

void CardJobRunner::restore(CardJob& job) const {
    progressOf(job).title(langText(91));
    JobContext context{&job, true};
    job.succeeded = m_calls.restore(*job.card, job.file, backupProgress,
                                    reinterpret_cast<intptr_t>(&context)) != 0;
}

} // namespace pelmora::model
