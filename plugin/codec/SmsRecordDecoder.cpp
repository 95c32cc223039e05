#include "codec/SmsRecordDecoder.h"

#include "FieldText.h"
#include "codec/SmsAddress.h"
#include "codec/SmsDataCoding.h"
#include "codec/SmsTimeStamp.h"
#include "codec/SmsUserData.h"

#include <algorithm>

namespace brontel::codec {

namespace {

constexpr size_t kMaxServiceCentreLength = 9;
constexpr size_t kMaxUndeletableServiceCentreLength = 10;
constexpr uint8_t kHeaderIndicator = 0x40;
constexpr uint8_t kTypeDeliver = 0;
constexpr uint8_t kTypeSubmit = 1;
constexpr size_t kMaxAddressCharacters = std::size(SmsEntry{}.address) - 1;
constexpr size_t kMaxTextCharacters = std::size(SmsEntry{}.text) - 1;

// Length of TP-VP by TP-VPF (bits 4..3 of the first octet): none, enhanced
// (7 octets), relative (1 octet), absolute (7 octets).
size_t validityPeriodLength(uint8_t firstOctet) {
    switch (firstOctet & 0x18) {
    case 0x08:
        return 7;
    case 0x10:
        return 1;
    case 0x18:
        return 7;
    default:
        return 0;
    }
}

// Reads the record field by field; every read is checked against the end.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    bool has(size_t count) const { return count <= m_bytes.size() - m_at; }
    std::optional<uint8_t> byte() {
        if (!has(1)) {
            return std::nullopt;
        }
        return m_bytes[m_at++];
    }
    std::optional<std::span<const uint8_t>> take(size_t count) {
        if (!has(count)) {
            return std::nullopt;
        }
        auto out = m_bytes.subspan(m_at, count);
        m_at += count;
        return out;
    }
    std::span<const uint8_t> rest() const { return m_bytes.subspan(m_at); }

private:
    std::span<const uint8_t> m_bytes;
    size_t m_at = 0;
};

} // namespace

bool isEmptySmsRecord(std::span<const uint8_t> record) {
    return record.empty() ||
           (record[0] == kSmsStatusFree &&
            std::all_of(record.begin() + 1, record.end(), [](uint8_t b) { return b == 0xFF; }));
}

std::optional<SmsRecord> decodeSmsRecord(std::span<const uint8_t> record) {
    if (isEmptySmsRecord(record)) {
        return std::nullopt;
    }
    Reader in(record);
    SmsRecord out;
    out.status = *in.byte();
    const std::optional<uint8_t> serviceCentreLength = in.byte();
    if (!serviceCentreLength || *serviceCentreLength > kMaxServiceCentreLength) {
        return std::nullopt;
    }
    const auto serviceCentre = in.take(*serviceCentreLength);
    const std::optional<uint8_t> firstOctet = in.byte();
    if (!serviceCentre || !firstOctet) {
        return std::nullopt;
    }
    out.serviceCentre = decodeServiceCentreAddress(*serviceCentre, kMaxAddressCharacters);
    const uint8_t type = *firstOctet & 0x03;
    if (type != kTypeDeliver && type != kTypeSubmit) {
        return std::nullopt;
    }
    if (type == kTypeSubmit && !in.byte()) { // message reference
        return std::nullopt;
    }
    const std::optional<SmsAddress> address = decodeSmsAddress(in.rest(), kMaxAddressCharacters);
    if (!address) {
        return std::nullopt;
    }
    out.address = address->text;
    (void)in.take(address->octets);
    const auto protocolAndCoding = in.take(2);
    if (!protocolAndCoding) {
        return std::nullopt;
    }
    const uint8_t dataCoding = (*protocolAndCoding)[1];
    if (type == kTypeDeliver) {
        const auto stamp = in.take(kSmsTimeStampLength);
        if (!stamp) {
            return std::nullopt;
        }
        out.timeStamp = decodeSmsTimeStamp(stamp->first<kSmsTimeStampLength>());
    } else if (!in.take(validityPeriodLength(*firstOctet))) {
        return std::nullopt;
    }
    const std::optional<uint8_t> userDataLength = in.byte();
    if (!userDataLength) {
        return std::nullopt;
    }
    out.text = decodeSmsUserData(in.rest(), *userDataLength, (*firstOctet & kHeaderIndicator) != 0,
                                 smsAlphabet(dataCoding), kMaxTextCharacters);
    return out;
}

uint8_t statusFromContents(std::span<const uint8_t> record) {
    if (record.size() < 2 || record[1] > kMaxUndeletableServiceCentreLength ||
        size_t{record[1]} + 2 >= record.size()) {
        return kSmsStatusFree;
    }
    switch (record[record[1] + 2u] & 0x03) {
    case kTypeDeliver:
        return kSmsStatusReceivedRead;
    case kTypeSubmit:
        return kSmsStatusToBeSent;
    default:
        return kSmsStatusFree;
    }
}

void fillSmsEntry(const SmsRecord& record, SmsEntry& entry) {
    SmsEntry fresh{};
    fresh.flags = record.status == kSmsStatusFree ? static_cast<int32_t>(kSmsDeleted) : 0;
    setFieldText(fresh.text, record.text);
    setFieldText(fresh.smsc, record.serviceCentre);
    setFieldText(fresh.address, record.address);
    if (record.timeStamp) {
        fresh.timestamp = *record.timeStamp;
    }
    entry = fresh;
}

} // namespace brontel::codec
