#include "sms/SmsStoreReader.h"

#include "card/CallOutcome.h"
#include "card/SIMCard.h"
#include "codec/SmsRecordDecoder.h"
#include "sms/SmsFile.h"
#include "sms/SmsProgress.h"

#include <vector>

namespace brontel {

int readSmsStore(SIMCard& card, SmsRequest& request) {
    const std::optional<SmsFile> file = selectSmsFile(card);
    if (!file) {
        return 0;
    }
    const int total = file->records;
    if (request.entries == nullptr || request.count < total) {
        request.count = total;
        return 1;
    }
    CallOutcome outcome;
    // The whole record: a card answers a READ RECORD of any other length with 67xx.
    std::vector<uint8_t> record(file->recordLength);
    for (int i = 1; i <= total; ++i) {
        if (!card.read_record(static_cast<uint8_t>(i), file->recordLength, SIMCard::kModeAbsolute,
                              record)) {
            outcome.commandFailed(card); // the entry stays as it was, and the read goes on
            continue;
        }
        if (const std::optional<codec::SmsRecord> message = codec::decodeSmsRecord(record)) {
            codec::fillSmsEntry(*message, request.entries[i - 1]);
        }
        reportProgress(request, i, total);
    }
    return outcome.finish(card);
}

} // namespace brontel
