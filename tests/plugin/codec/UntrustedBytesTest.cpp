// Card bytes are untrusted: every decoder takes any bytes of any length without
// reading outside them (the sanitizer build checks the reads).
#include "codec/AlphaIdentifier.h"
#include "codec/DiallingNumber.h"
#include "codec/EmailText.h"
#include "codec/IdenValueRecord.h"
#include "codec/PrivateId.h"
#include "codec/SmsRecordDecoder.h"

#include <gtest/gtest.h>

#include <random>

namespace brontel::codec {
namespace {

TEST(UntrustedBytes, DecodersStayWithinAnyInput) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    for (size_t length = 0; length <= 200; ++length) {
        for (int round = 0; round < 20; ++round) {
            std::vector<uint8_t> bytes(length);
            for (uint8_t& b : bytes) {
                // Favour the values that steer the decoders.
                const int r = byte(random);
                b = r < 40 ? static_cast<uint8_t>(r % 4 == 0 ? 0xFF : r % 12)
                           : static_cast<uint8_t>(r);
            }
            EXPECT_LE(decodeAlphaIdentifier(bytes).size(), kMaxNameCharacters);
            if (std::optional<SmsRecord> sms = decodeSmsRecord(bytes)) {
                SmsEntry entry{};
                fillSmsEntry(*sms, entry);
            }
            (void)statusFromContents(bytes);
            (void)parseIdenRecord(bytes, 1252);
            (void)emailBytesInRecord(bytes);
            (void)parseContinuationRecord(bytes);
            std::u16string number;
            appendExtensionDigits(number, bytes);
            EXPECT_LE(number.size(), kMaxNumberCharacters);
            if (length >= kAdnNumberLength) {
                const auto field = std::span<const uint8_t>(bytes).first<kAdnNumberLength>();
                EXPECT_LE(decodeAdnNumber(field).size(), kMaxNumberCharacters);
            }
            if (length >= kPrivateIdLength) {
                (void)unpackPrivateId(std::span<const uint8_t>(bytes).first<kPrivateIdLength>());
            }
        }
    }
}

} // namespace
} // namespace brontel::codec
