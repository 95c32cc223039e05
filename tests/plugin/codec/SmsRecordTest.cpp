#include "FieldText.h"
#include "Hex.h"
#include "codec/SmsRecordDecoder.h"
#include "codec/SmsSubmitEncoder.h"

#include <gtest/gtest.h>

namespace brontel::codec {
namespace {

using test::hex;
using test::hexText;
using test::padded;
using test::timeText;

constexpr size_t R = 176;

std::vector<uint8_t> record(std::string_view bytes) {
    return padded(hex(bytes), R);
}

// The plug-in's own worked example: "Hello" to +123.
TEST(SmsSubmitRecord, HelloToPlus123) {
    EncodedBytes out = encodeSmsSubmitRecord(u"Hello", u"+123", R);
    EXPECT_EQ(out.bytes, record("07 00 01 00 03 91 21 F3 00 00 05 C8 32 9B FD 06"));
    EXPECT_FALSE(out.didNotFit);
    const std::optional<SmsRecord> read = decodeSmsRecord(out.bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->status, kSmsStatusToBeSent);
    EXPECT_EQ(read->address, u"+123");
    EXPECT_EQ(read->text, u"Hello");
    EXPECT_EQ(read->serviceCentre, u"");
    EXPECT_FALSE(read->timeStamp);
}

TEST(SmsSubmitRecord, CodingChoice) {
    EncodedBytes latin = encodeSmsSubmitRecord(u"Caf\u00E9 au lait", u"123", R);
    EXPECT_EQ(hexText({latin.bytes.begin() + 8, latin.bytes.begin() + 12}), "00 04 0C 43");
    EXPECT_EQ(decodeSmsRecord(latin.bytes)->text, u"Caf\u00E9 au lait");

    const std::u16string cyrillic = u"\u00E9 \u041F\u0440\u0438\u0432\u0435\u0442";
    EncodedBytes ucs2 = encodeSmsSubmitRecord(cyrillic, u"123", R);
    EXPECT_EQ(ucs2.bytes[9], 0x08);
    EXPECT_EQ(ucs2.bytes[10], 2 * cyrillic.size());
    EXPECT_EQ(decodeSmsRecord(ucs2.bytes)->text, cyrillic);
}

TEST(SmsSubmitRecord, EmptyTextGivesAFreeRecord) {
    EncodedBytes out = encodeSmsSubmitRecord(u"", u"+123", R);
    EXPECT_EQ(out.bytes, padded({0x00}, R));
    EXPECT_TRUE(isEmptySmsRecord(out.bytes));
    EXPECT_FALSE(decodeSmsRecord(out.bytes));
}

TEST(SmsSubmitRecord, NeverPastTheRecordAndCutMessagesReported) {
    EncodedBytes longText = encodeSmsSubmitRecord(std::u16string(200, u'x'), u"+123", R);
    EXPECT_TRUE(longText.didNotFit);
    EXPECT_EQ(longText.bytes.size(), R);
    EXPECT_EQ(decodeSmsRecord(longText.bytes)->text, std::u16string(160, u'x'));

    EncodedBytes shortRecord = encodeSmsSubmitRecord(std::u16string(50, u'x'), u"+123", 40);
    EXPECT_EQ(shortRecord.bytes.size(), 40u);
    EXPECT_TRUE(shortRecord.didNotFit);
    // 40 bytes leave 29 octets of user data: 33 septets.
    EXPECT_EQ(decodeSmsRecord(shortRecord.bytes)->text, std::u16string(33, u'x'));

    EncodedBytes tiny = encodeSmsSubmitRecord(u"x", u"+123", 8);
    EXPECT_TRUE(tiny.didNotFit);
    EXPECT_EQ(tiny.bytes, padded({0x00}, 8));

    EncodedBytes destination = encodeSmsSubmitRecord(u"Hi", u"+49 (171) 123-456-789-012-3456", R);
    EXPECT_TRUE(destination.didNotFit);
    EXPECT_EQ(decodeSmsRecord(destination.bytes)->address, u"+49171123456789012345");
}

TEST(SmsSubmitRecord, FormattingInTheDestinationIsDropped) {
    EncodedBytes out = encodeSmsSubmitRecord(u"Hi", u"+1 (23) [4]-5", R);
    EXPECT_FALSE(out.didNotFit);
    EXPECT_EQ(hexText({out.bytes.begin() + 4, out.bytes.begin() + 9}), "05 91 21 43 F5");
}

// SMS-DELIVER TPDUs from the tests of the Go package github.com/warthog618/sms
// (encoding/tpdu/deliver_internal_test.go and cmd/smsdecode/smsdecode_test.go)
// placed in EF SMS records.
// Received messages whose alphanumeric originator holds no digit ("+", "("):
// answered as a new message, the originator stays the destination instead of
// becoming no address.
TEST(SmsSubmitRecord, DestinationWithoutDigitsIsKept) {
    const std::pair<const char*, std::u16string> cases[] = {
        {"00 00 00 02 58 2B 1D 00 B6 B6 B7 49 A9 51 2D 51 51 51 D4 51 51 51", u"+"},
        {"00 00 00 02 53 28 49 B7 BF 49 49 51 51 51 51 51 51 51", u"("},
    };
    for (const auto& [bytes, originator] : cases) {
        const auto received = decodeSmsRecord(hex(bytes));
        ASSERT_TRUE(received) << bytes;
        EXPECT_EQ(received->address, originator);
        const EncodedBytes answer = encodeSmsSubmitRecord(received->text, received->address, R);
        EXPECT_FALSE(answer.didNotFit) << bytes;
        const auto written = decodeSmsRecord(answer.bytes);
        ASSERT_TRUE(written) << bytes;
        EXPECT_EQ(written->address, originator);
        EXPECT_EQ(written->text, received->text);
    }
}

TEST(SmsRecordDecoding, PublishedMessages) {
    const std::optional<SmsRecord> deliver = decodeSmsRecord(
        record("01 00 04 04 91 36 19 00 00 51 50 71 32 20 05 23 08 C8 30 3A 8C 0E A3 C3"));
    ASSERT_TRUE(deliver);
    EXPECT_EQ(deliver->status, kSmsStatusReceivedRead);
    EXPECT_EQ(deliver->address, u"+6391");
    EXPECT_EQ(deliver->text, u"Hahahaha");
    ASSERT_TRUE(deliver->timeStamp);
    EXPECT_EQ(timeText(*deliver->timeStamp), "2015-05-17 23:02:50");

    const std::optional<SmsRecord> submit = decodeSmsRecord(record(
        "05 07 91 16 14 22 09 91 F1 01 00 05 91 21 43 F5 00 00 0B C8 32 9B FD 06 DD DF 72 36 19"));
    ASSERT_TRUE(submit);
    EXPECT_EQ(submit->status, kSmsStatusSent);
    EXPECT_EQ(submit->serviceCentre, u"+61412290191");
    EXPECT_EQ(submit->address, u"+12345");
    EXPECT_EQ(submit->text, u"Hello world");
}

TEST(SmsRecordDecoding, TimeStampAndAlphanumericOriginator) {
    const std::optional<SmsRecord> sms =
        decodeSmsRecord(record("03 07 91 22 99 97 67 58 F2 00 0B D0 CD E6 DB 5D CE 03 00 00 "
                               "30 11 22 41 35 60 00 02 C8 34"));
    ASSERT_TRUE(sms);
    EXPECT_EQ(sms->status, kSmsStatusReceivedUnread);
    EXPECT_EQ(sms->serviceCentre, u"+22997976852");
    EXPECT_EQ(sms->address, u"MMoney");
    EXPECT_EQ(sms->text, u"Hi");
    ASSERT_TRUE(sms->timeStamp);
    EXPECT_EQ(timeText(*sms->timeStamp), "2003-11-22 14:53:06");
}

TEST(SmsRecordDecoding, ReceivedTextOfEveryCoding) {
    // 8-bit DELIVER text reads as Latin-1.
    EXPECT_EQ(decodeSmsRecord(record("01 00 00 03 81 21 F3 00 04 30 11 22 41 35 60 00 "
                                     "04 63 61 66 E9"))
                  ->text,
              u"caf\u00E9");
    // Greek capitals and the escape table, as the network sends them.
    EXPECT_EQ(decodeSmsRecord(record("01 00 00 03 81 21 F3 00 00 30 11 22 41 35 60 00 "
                                     "03 90 4D 19"))
                  ->text,
              u"\u0394\u20AC");
    // A concatenated part: header, fill bit, then the text.
    EXPECT_EQ(decodeSmsRecord(record("01 00 40 03 81 21 F3 00 00 30 11 22 41 35 60 00 "
                                     "0E 05 00 03 01 02 03 DA E5 F9 3C 7C 2E 03"))
                  ->text,
              u"message");
}

TEST(SmsRecordDecoding, ValidityPeriodOfEachFormat) {
    // SUBMIT with no, relative, enhanced and absolute validity period before "Hi".
    const struct {
        uint8_t firstOctet;
        const char* period;
    } cases[] = {
        {0x01, ""}, {0x11, "A7"}, {0x09, "01 02 03 04 05 06 07"}, {0x19, "30 11 22 41 35 60 00"}};
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = hex("07 00");
        bytes.push_back(c.firstOctet);
        for (uint8_t b : hex(std::string("00 03 81 21 F3 00 00 ") + c.period + " 02 C8 34")) {
            bytes.push_back(b);
        }
        const std::optional<SmsRecord> sms = decodeSmsRecord(padded(bytes, R));
        ASSERT_TRUE(sms) << int(c.firstOctet);
        EXPECT_EQ(sms->text, u"Hi") << int(c.firstOctet);
        EXPECT_EQ(sms->address, u"123");
    }
}

TEST(SmsRecordDecoding, RecordsThatDoNotDecode) {
    const char* cases[] = {
        "00",                                     // free
        "01 0A 91 11 11 11 11 11 11 11 11 11 00", // service centre longer than 9 bytes
        "01 00 02 03 81 21 F3",                   // status report: neither type
        "01 00 03 03 81 21 F3",                   // reserved type
    };
    for (const char* c : cases) {
        EXPECT_FALSE(decodeSmsRecord(record(c))) << c;
    }
    // Fields that run past a short record.
    const char* truncated[] = {
        "01",
        "01 05 91 21",
        "01 00 00 0B 91 51 55",
        "01 00 00 03 81 21 F3 00",
        "01 00 00 03 81 21 F3 00 00 30 11 22",
        "01 00 00 03 81 21 F3 00 00 30 11 22 41 35 60 00",
        "07 00 19 00 03 81 21 F3 00 00 30 11",
    };
    for (const char* c : truncated) {
        EXPECT_FALSE(decodeSmsRecord(hex(c))) << c;
    }
}

TEST(SmsRecordDecoding, UserDataLengthBeyondTheRecordIsClamped) {
    const std::optional<SmsRecord> sms =
        decodeSmsRecord(hex("01 00 00 03 81 21 F3 00 00 30 11 22 41 35 60 00 A0 C8 32 9B FD 06"));
    ASSERT_TRUE(sms);
    EXPECT_EQ(sms->text, u"Hello");
    std::vector<uint8_t> eightBit = hex("01 00 00 03 81 21 F3 00 04 30 11 22 41 35 60 00 FF");
    eightBit.resize(eightBit.size() + 255, 0x41);
    EXPECT_EQ(decodeSmsRecord(eightBit)->text, std::u16string(160, u'A'));
}

TEST(SmsRecordDecoding, StatusFromContents) {
    EXPECT_EQ(statusFromContents(record("00 00 04 04 91 36 19")), kSmsStatusReceivedRead);
    EXPECT_EQ(statusFromContents(record("00 00 01 00 03 91 21 F3")), kSmsStatusToBeSent);
    EXPECT_EQ(statusFromContents(record("00 0B 91")), kSmsStatusFree);
    EXPECT_EQ(statusFromContents(record("00 00 02")), kSmsStatusFree);
    EXPECT_EQ(statusFromContents(hex("00 05 91")), kSmsStatusFree);
}

TEST(SmsEntryFields, DeletedMessageKeepsItsFields) {
    const std::optional<SmsRecord> sms =
        decodeSmsRecord(record("00 07 91 22 99 97 67 58 F2 00 0B D0 CD E6 DB 5D CE 03 00 00 "
                               "30 11 22 41 35 60 00 02 C8 34"));
    ASSERT_TRUE(sms);
    SmsEntry entry{};
    entry.flags = -1;
    fillSmsEntry(*sms, entry);
    EXPECT_EQ(static_cast<uint32_t>(entry.flags), kSmsDeleted);
    EXPECT_EQ(fieldText(entry.text), u"Hi");
    EXPECT_EQ(fieldText(entry.smsc), u"+22997976852");
    EXPECT_EQ(fieldText(entry.address), u"MMoney");
    EXPECT_EQ(timeText(entry.timestamp), "2003-11-22 14:53:06");
}

TEST(SmsEntryFields, OutgoingMessageHasNoTimeStamp) {
    SmsEntry entry{};
    entry.timestamp.year = 1999;
    fillSmsEntry(*decodeSmsRecord(encodeSmsSubmitRecord(u"Hello", u"+123", R).bytes), entry);
    EXPECT_EQ(entry.flags, 0);
    EXPECT_EQ(entry.timestamp.year, 0);
    EXPECT_EQ(fieldText(entry.address), u"+123");
}

TEST(FieldText, BoundedReadAndCutWrite) {
    char16_t field[4] = {u'a', u'b', u'c', u'd'};
    EXPECT_EQ(fieldText(field), u"abcd"); // no terminator: never past the field
    EXPECT_FALSE(setFieldText(field, u"wxyz"));
    EXPECT_EQ(fieldText(field), u"wxy");
    EXPECT_TRUE(setFieldText(field, u"q"));
    EXPECT_EQ(field[1], 0);
    EXPECT_EQ(field[3], 0);
    EXPECT_FALSE(setFieldText(field, u"ab\U0001F600"));
    EXPECT_EQ(fieldText(field), u"ab");
    EXPECT_EQ(fieldText(nullptr, 5), u"");
}

} // namespace
} // namespace brontel::codec
