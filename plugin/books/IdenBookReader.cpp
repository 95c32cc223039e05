#include "books/IdenBookReader.h"

#include "FieldText.h"
#include "books/CardDirectory.h"
#include "books/EmailContinuations.h"
#include "books/IdenValueFiles.h"
#include "books/PhoneBookProgress.h"
#include "books/RecordTrace.h"
#include "card/CallOutcome.h"
#include "card/SIMCard.h"
#include "codec/EmailText.h"
#include "codec/IdenValueRecord.h"

#include "CodePage.h"
#include "Log.h"

#include <algorithm>
#include <array>

namespace brontel {

int readIdenBook(SIMCard& card, int efId, PhoneBookRequest& request) {
    pelmora::log::log_message(pelmora::log::kTrace, "get_nextel_phone_book", "phn:%d size:%d", efId,
                              request.count);
    CallOutcome outcome;
    CardDirectory directory(card);
    const IdenValueFiles values = openIdenValueFiles(directory, outcome);
    reportIdenAttributes(request, values);
    if (!values.usable) {
        return outcome.finish(card);
    }
    const int capacity = request.count;
    request.count = values.records;
    if (request.entries == nullptr) {
        return outcome.finish(card);
    }
    if (capacity < values.records) {
        return 0;
    }
    std::fill_n(request.entries, capacity, PhoneBookEntry{});

    const unsigned codePage = pelmora::platform::ansiCodePage();
    EmailChainReader emails(directory, outcome);
    std::array<uint8_t, 255> buffer{};
    int running = 0;
    for (const IdenValueFile& value : values.files) {
        const RecordFile& file = value.file;
        const auto record = std::span(buffer).first(file.recordLength);
        for (int i = 1; i <= file.records; ++i) {
            ++running;
            std::optional<codec::IdenRecord> parsed;
            if (directory.select(file.id) &&
                card.read_record(static_cast<uint8_t>(i), file.recordLength, SIMCard::kModeAbsolute,
                                 record)) {
                traceRecord("nextel", i, record);
                parsed = codec::parseIdenRecord(record, codePage);
            } else {
                outcome.commandFailed(card); // the other records are still read
            }
            if (parsed && parsed->contact <= capacity) {
                if (parsed->type == kValueEmail) {
                    parsed->value = codec::emailText(
                        emails.read(codec::emailBytesInRecord(record), parsed->emailContinuation),
                        codePage);
                }
                PhoneBookEntry& entry = request.entries[parsed->contact - 1];
                // Every record of a contact repeats the name; the last one read stands.
                codec::setFieldText(entry.name, parsed->name);
                const PhoneBookValueField field = phoneBookValue(entry, parsed->type);
                codec::setFieldText(field.text, field.capacity, parsed->value);
                entry.recordNumbers[parsed->type] = value.firstNumber + i - 1;
            }
            reportProgress(request, running, values.records, parsed ? parsed->name.c_str() : u"",
                           parsed ? parsed->value.c_str() : u"");
        }
    }
    return outcome.finish(card);
}

} // namespace brontel
