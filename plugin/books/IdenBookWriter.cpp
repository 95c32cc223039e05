#include "books/IdenBookWriter.h"

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

#include <cstdint>
#include <limits>
#include <vector>

namespace brontel {

namespace {

struct Claim {
    int contact = 0; // index into the array
    int value = 0;   // PhoneBookValue, or the speed-dial-group element
};

// The value each global record number belongs to: the first contact in array
// order naming it, and within the contact its first element.
std::vector<std::optional<Claim>> claimsByNumber(const PhoneBookRequest& request, int records) {
    std::vector<std::optional<Claim>> claims(static_cast<size_t>(records) + 1);
    for (int j = 0; j < request.count; ++j) {
        for (int k = 0; k < kRecordNumberCount; ++k) {
            const int32_t g = request.entries[j].recordNumbers[k];
            if (g >= 1 && g <= records && !claims[static_cast<size_t>(g)]) {
                claims[static_cast<size_t>(g)] = Claim{j, k};
            }
        }
    }
    return claims;
}

// A value record as planned: what it holds (nothing for a free record) and its bytes.
struct PlannedRecord {
    std::optional<codec::IdenRecord> content;
    std::vector<uint8_t> bytes;
};

class ValueRecordPlanner {
public:
    ValueRecordPlanner(const PhoneBookRequest& request, EmailChainWriter& emails,
                       CallOutcome& outcome)
        : m_request(request), m_emails(emails), m_outcome(outcome),
          m_codePage(pelmora::platform::ansiCodePage()) {}

    PlannedRecord plan(const std::optional<Claim>& claim, size_t recordLength) {
        PlannedRecord planned{std::nullopt, std::vector<uint8_t>(recordLength, 0)};
        // The speed-dial-group element has no record encoding: its record stays free.
        if (!claim || claim->value >= codec::kIdenValueTypes) {
            return planned;
        }
        if (claim->contact >= std::numeric_limits<uint16_t>::max()) {
            m_outcome.valueDidNotFit(); // contact numbers are 16 bits
            return planned;
        }
        const PhoneBookEntry& entry = m_request.entries[claim->contact];
        codec::IdenRecord content;
        content.contact = static_cast<uint16_t>(claim->contact + 1);
        content.type = claim->value;
        content.name = codec::fieldText(entry.name);
        content.value = fieldText(entry, claim->value);
        if (content.type == kValueEmail) {
            content.emailContinuation =
                m_emails.place(codec::emailBytes(content.value, m_codePage).bytes);
        }
        codec::EncodedBytes record = codec::buildIdenRecord(recordLength, content, m_codePage);
        if (record.didNotFit) {
            m_outcome.valueDidNotFit();
        }
        planned.content = std::move(content);
        planned.bytes = std::move(record.bytes);
        return planned;
    }

    // An address whose continuation records could not be written keeps its first ten bytes.
    void dropBrokenChain(PlannedRecord& planned) const {
        if (!planned.content || planned.content->emailContinuation == 0 ||
            m_emails.intact(planned.content->emailContinuation)) {
            return;
        }
        planned.content->emailContinuation = 0;
        planned.bytes =
            codec::buildIdenRecord(planned.bytes.size(), *planned.content, m_codePage).bytes;
    }

private:
    static std::u16string_view fieldText(const PhoneBookEntry& entry, int value) {
        const PhoneBookValueField field = phoneBookValue(const_cast<PhoneBookEntry&>(entry), value);
        return codec::fieldText(field.text, field.capacity);
    }

    const PhoneBookRequest& m_request;
    EmailChainWriter& m_emails;
    CallOutcome& m_outcome;
    unsigned m_codePage;
};

} // namespace

int writeIdenBook(SIMCard& card, const PhoneBookRequest& request) {
    if (request.entries == nullptr || request.count < 0) {
        return 0;
    }
    CallOutcome outcome;
    CardDirectory directory(card);
    const IdenValueFiles values = openIdenValueFiles(directory, outcome);
    if (!values.usable) {
        return outcome.finish(card);
    }
    const std::vector<std::optional<Claim>> claims = claimsByNumber(request, values.records);

    EmailChainWriter emails(directory, outcome);
    emails.open();
    ValueRecordPlanner planner(request, emails, outcome);
    std::vector<PlannedRecord> records; // by global number - 1
    records.reserve(static_cast<size_t>(values.records));
    for (const IdenValueFile& value : values.files) {
        for (int i = 0; i < value.file.records; ++i) {
            records.push_back(planner.plan(claims[static_cast<size_t>(value.firstNumber + i)],
                                           value.file.recordLength));
        }
    }
    // Continuation records before the values that point at them.
    emails.writeChains();
    for (PlannedRecord& planned : records) {
        planner.dropBrokenChain(planned);
    }

    bool allWritten = true;
    for (const IdenValueFile& value : values.files) {
        const RecordFile& file = value.file;
        if (!directory.select(file.id)) {
            outcome.commandFailed(card);
            allWritten = false;
            continue;
        }
        for (int i = 1; i <= file.records; ++i) {
            const int g = value.firstNumber + i - 1;
            const std::vector<uint8_t>& record = records[static_cast<size_t>(g - 1)].bytes;
            if (!card.update_record(static_cast<uint8_t>(i), file.recordLength,
                                    SIMCard::kModeAbsolute, record)) {
                outcome.commandFailed(card); // the other records are still written
                allWritten = false;
            }
            traceRecord("nextel", i, record);
            reportProgress(request, g, request.count, nullptr, nullptr);
        }
    }
    // Chains of earlier values are freed once no value record can point at them.
    if (allWritten) {
        emails.releaseUnused();
    }
    return outcome.finish(card);
}

} // namespace brontel
