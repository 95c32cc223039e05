#include "codec/SmsSubmitEncoder.h"

#include "codec/SmsAddress.h"
#include "codec/SmsRecordDecoder.h"
#include "codec/SmsUserData.h"

#include <algorithm>

namespace brontel::codec {

namespace {

constexpr uint8_t kFirstOctetSubmit = 0x01;
constexpr uint8_t kMessageReference = 0;
constexpr uint8_t kProtocolIdentifier = 0;

} // namespace

EncodedBytes encodeSmsSubmitRecord(std::u16string_view text, std::u16string_view destination,
                                   size_t recordLength) {
    EncodedBytes out{std::vector<uint8_t>(recordLength, 0xFF), false};
    if (recordLength > 0) {
        out.bytes[0] = kSmsStatusFree;
    }
    if (text.empty()) {
        return out;
    }
    EncodedBytes address = encodeSmsAddress(destination);
    std::vector<uint8_t> head{kSmsStatusToBeSent, 0, kFirstOctetSubmit, kMessageReference};
    head.insert(head.end(), address.bytes.begin(), address.bytes.end());
    head.push_back(kProtocolIdentifier);
    // The data coding scheme and the user-data length follow.
    const size_t headLength = head.size() + 2;
    if (headLength >= recordLength) {
        out.didNotFit = true;
        return out;
    }
    const EncodedUserData userData = encodeSmsUserData(text, recordLength - headLength);
    head.push_back(userData.dataCodingScheme);
    head.push_back(userData.length);
    std::copy(head.begin(), head.end(), out.bytes.begin());
    std::copy(userData.octets.begin(), userData.octets.end(),
              out.bytes.begin() + static_cast<ptrdiff_t>(head.size()));
    out.didNotFit = address.didNotFit || userData.didNotFit;
    return out;
}

} // namespace brontel::codec
