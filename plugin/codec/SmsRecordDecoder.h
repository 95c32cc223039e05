#pragma once
// Records of EF SMS (TS 51.011 10.5.3): a status byte, the service-centre
// address, and an SMS-DELIVER or SMS-SUBMIT (3GPP TS 23.040 9.2.2.1, 9.2.2.2).

#include "Brontel.h"
#include "SystemTime.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace brontel::codec {

enum SmsStatus : uint8_t {
    kSmsStatusFree = 0,
    kSmsStatusReceivedRead = 1,
    kSmsStatusReceivedUnread = 3,
    kSmsStatusSent = 5,
    kSmsStatusToBeSent = 7,
};

struct SmsRecord {
    uint8_t status = kSmsStatusFree;
    std::u16string serviceCentre;
    std::u16string address; // originator of a DELIVER, destination of a SUBMIT
    std::u16string text;
    std::optional<pelmora::SystemTime> timeStamp; // DELIVER only
};

// A free record: status 0 and nothing but 0xFF after it.
[[nodiscard]] bool isEmptySmsRecord(std::span<const uint8_t> record);

// nullopt for an empty record, a service-centre address longer than 9 bytes, a
// message type other than DELIVER or SUBMIT, or fields that run past the record.
// Text and addresses are cut to the fields of SmsEntry.
[[nodiscard]] std::optional<SmsRecord> decodeSmsRecord(std::span<const uint8_t> record);

// The status an undeleted record gets: received and read for a DELIVER, to be
// sent for a SUBMIT, free for anything else.
[[nodiscard]] uint8_t statusFromContents(std::span<const uint8_t> record);

// The entry as the record gives it: flags 0, or kSmsDeleted for a free record
// still holding a message; no time stamp for a SUBMIT.
void fillSmsEntry(const SmsRecord& record, SmsEntry& entry);

} // namespace brontel::codec
