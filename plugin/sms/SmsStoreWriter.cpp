#include "sms/SmsStoreWriter.h"

#include "FieldText.h"
#include "card/CallOutcome.h"
#include "card/SIMCard.h"
#include "codec/SmsRecordDecoder.h"
#include "codec/SmsSubmitEncoder.h"
#include "sms/SmsFile.h"
#include "sms/SmsProgress.h"
#include "sms/SmsWriteAction.h"

#include <optional>
#include <vector>

namespace brontel {

namespace {

// The record as the card holds it, with a new status byte; nullopt when it
// could not be read, so that its message is never overwritten by guesswork.
std::optional<std::vector<uint8_t>> restated(SIMCard& card, const SmsFile& file, uint8_t number,
                                             bool undelete, CallOutcome& outcome) {
    std::vector<uint8_t> record(file.recordLength);
    if (!card.read_record(number, file.recordLength, SIMCard::kModeAbsolute, record)) {
        outcome.commandFailed(card);
        return std::nullopt;
    }
    record[0] = undelete ? codec::statusFromContents(record) : uint8_t{codec::kSmsStatusFree};
    return record;
}

std::optional<std::vector<uint8_t>> recordFor(SIMCard& card, const SmsFile& file,
                                              const SmsEntry& entry, uint8_t number,
                                              CallOutcome& outcome) {
    switch (smsWriteAction(entry.flags)) {
    case SmsWriteAction::Keep:
        return std::nullopt;
    case SmsWriteAction::Undelete:
        return restated(card, file, number, true, outcome);
    case SmsWriteAction::Delete:
        return restated(card, file, number, false, outcome);
    case SmsWriteAction::Erase: {
        std::vector<uint8_t> record(file.recordLength, 0xFF);
        record[0] = codec::kSmsStatusFree;
        return record;
    }
    case SmsWriteAction::NewMessage:
        break;
    }
    codec::EncodedBytes message = codec::encodeSmsSubmitRecord(
        codec::fieldText(entry.text), codec::fieldText(entry.address), file.recordLength);
    if (message.didNotFit) {
        outcome.valueDidNotFit(); // the cut message is written all the same
    }
    return std::move(message.bytes);
}

} // namespace

int writeSmsStore(SIMCard& card, const SmsRequest& request) {
    const std::optional<SmsFile> file = selectSmsFile(card);
    if (!file) {
        return 0;
    }
    if (request.entries == nullptr || request.count < 0 || request.count > file->records) {
        return 0;
    }
    CallOutcome outcome;
    for (int j = 0; j < request.count; ++j) {
        const auto number = static_cast<uint8_t>(j + 1);
        const std::optional<std::vector<uint8_t>> record =
            recordFor(card, *file, request.entries[j], number, outcome);
        // A failed update does not stop the others.
        if (record &&
            !card.update_record(number, file->recordLength, SIMCard::kModeAbsolute, *record)) {
            outcome.commandFailed(card);
        }
        reportProgress(request, j, file->records);
    }
    return outcome.finish(card);
}

} // namespace brontel
