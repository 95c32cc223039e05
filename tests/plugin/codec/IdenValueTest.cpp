#include "Brontel.h"
#include "Hex.h"
#include "codec/ChatAddress.h"
#include "codec/EmailText.h"
#include "codec/IdenValueRecord.h"
#include "codec/PrivateId.h"
#include "codec/Talkgroup.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brontel::codec {
namespace {

using test::hex;

constexpr unsigned kWestern = 1252;
constexpr unsigned kCyrillic = 1251;
constexpr unsigned kJapanese = 932;

std::vector<uint8_t> slice(const std::vector<uint8_t>& bytes, size_t from, size_t length) {
    return {bytes.begin() + static_cast<ptrdiff_t>(from),
            bytes.begin() + static_cast<ptrdiff_t>(from + length)};
}

TEST(PrivateId, PacksUrbanFleetAndMemberByClass) {
    // Urban class 0 (urban in bits 34..25), fleet class 1 (7 bits, 24..18),
    // member in bits 17..0.
    const PrivateId id{100, 20, 300};
    EXPECT_EQ(packPrivateId(id), (PackedPrivateId{0x08, 0xC8, 0x50, 0x01, 0x2C}));
    EXPECT_EQ(unpackPrivateId(PackedPrivateId{0x08, 0xC8, 0x50, 0x01, 0x2C}), id);
    EXPECT_EQ(privateIdText(id), u"100*20*300");
}

TEST(PrivateId, ClassLimits) {
    const struct {
        PrivateId id;
        bool fits;
    } cases[] = {
        {{1023, 15, (1u << 21) - 1}, true}, // widest member
        {{1023, 15, 1u << 21}, false},
        {{1024, 0, 0}, true},        // urban class 1
        {{1048575, 15, 2047}, true}, // urban class 3, member in 11 bits
        {{1048575, 1023, 31}, true}, // member left with 5 bits
        {{1048575, 1024, 0}, false}, // member would have 1 bit
        {{1048576, 0, 0}, false},    // urban beyond class 3
        {{0, 1048575, 0}, true},     // fleet class 5
        {{0, 1048576, 0}, false},
    };
    for (const auto& c : cases) {
        const std::optional<PackedPrivateId> packed = packPrivateId(c.id);
        ASSERT_EQ(packed.has_value(), c.fits)
            << c.id.urban << "*" << c.id.fleet << "*" << c.id.member;
        if (packed) {
            EXPECT_EQ(unpackPrivateId(*packed), c.id);
        }
    }
    EXPECT_EQ(unpackPrivateId(PackedPrivateId{}), (PrivateId{0, 0, 0}));
    EXPECT_FALSE(unpackPrivateId(PackedPrivateId{0x30, 0, 0, 0, 0})); // fleet class 6
}

TEST(PrivateId, Text) {
    EXPECT_EQ(parsePrivateId(u"100*20*300"), (PrivateId{100, 20, 300}));
    EXPECT_EQ(parsePrivateId(u" 1 * 2 * 3 "), (PrivateId{1, 2, 3}));
    for (std::u16string_view bad :
         {u"", u"100*20", u"1*2*3*4", u"a*b*c", u"-1*2*3", u"1**3", u"99999999999*1*1"}) {
        EXPECT_FALSE(parsePrivateId(bad));
    }
}

TEST(Talkgroup, OneByteOrRefused) {
    EXPECT_EQ(parseTalkgroup(u"255"), 255);
    EXPECT_EQ(parseTalkgroup(u" 7 "), 7);
    EXPECT_FALSE(parseTalkgroup(u"256"));
    EXPECT_FALSE(parseTalkgroup(u""));
    EXPECT_FALSE(parseTalkgroup(u"12a"));
    EXPECT_EQ(talkgroupText(0), u"0");
    EXPECT_EQ(talkgroupText(200), u"200");
}

TEST(ChatAddress, FourBytesOrRefused) {
    EXPECT_EQ(parseChatAddress(u"10.0.0.1"), (ChatAddress{0x0A, 0x00, 0x00, 0x01}));
    EXPECT_EQ(parseChatAddress(u" 192. 168 .1.255"), (ChatAddress{192, 168, 1, 255}));
    for (std::u16string_view bad :
         {u"10.0.0.256", u"10.0.0", u"1.2.3.4.5", u"1..3.4", u"", u"a.b.c.d", u"1.2.3.4."}) {
        EXPECT_FALSE(parseChatAddress(bad));
    }
    const uint8_t address[] = {10, 0, 0, 1};
    EXPECT_EQ(chatAddressText(address), u"10.0.0.1");
}

TEST(IdenValueRecord, MobileNumberRecordLayout) {
    constexpr size_t R = 50;
    const IdenRecord content{1, kValueMobile, u"Bob", u"+1 555-1234", 0};
    EncodedBytes record = buildIdenRecord(R, content, kWestern);
    ASSERT_EQ(record.bytes.size(), R);
    EXPECT_FALSE(record.didNotFit);

    std::vector<uint8_t> expected(R, 0);
    const auto put = [&](size_t at, const std::vector<uint8_t>& bytes) {
        std::copy(bytes.begin(), bytes.end(), expected.begin() + static_cast<ptrdiff_t>(at));
    };
    put(0, hex("42 6F 62"));
    put(R - 39, hex("05 91 51 55 21 43 FF FF FF FF FF FF"));
    expected[R - 25] = kValueMobile;
    expected[R - 15] = 0x80;
    put(R - 9, hex("00 01"));
    EXPECT_EQ(record.bytes, expected);

    const std::optional<IdenRecord> read = parseIdenRecord(record.bytes, kWestern);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->contact, 1);
    EXPECT_EQ(read->type, kValueMobile);
    EXPECT_EQ(read->name, u"Bob");
    EXPECT_EQ(read->value, u"+15551234");
}

TEST(IdenValueRecord, ValuesOfEachKindReadBack) {
    constexpr size_t R = 64;
    const struct {
        int type;
        std::u16string_view written;
        std::u16string_view read;
        bool fits;
    } cases[] = {
        {kValueMain, u"0123456789", u"0123456789", true},
        {kValueOther, u"+1234567890123456789012", u"+12345678901234567890", false},
        {kValueFax, u"12 34x", u"1234", false},
        {kValuePrivateId, u"100*20*300", u"100*20*300", true},
        {kValuePrivateId, u"1048576*1*1", u"0*0*0", false},
        {kValuePrivateId, u"not an id", u"0*0*0", false},
        {kValueTalkgroup, u"12", u"12", true},
        {kValueTalkgroup, u"300", u"0", false},
        {kValueChatAddress, u"10.0.0.1", u"10.0.0.1", true},
        {kValueChatAddress, u"10.0.0.300", u"0.0.0.0", false},
        {kValueEmail, u"ab@cd.com", u"ab@cd.com", true},
    };
    for (const auto& c : cases) {
        const IdenRecord content{7, c.type, u"Ann", std::u16string(c.written), 0};
        EncodedBytes record = buildIdenRecord(R, content, kWestern);
        EXPECT_EQ(record.didNotFit, !c.fits) << c.type;
        const std::optional<IdenRecord> read = parseIdenRecord(record.bytes, kWestern);
        ASSERT_TRUE(read) << c.type;
        EXPECT_EQ(read->value, c.read) << c.type;
    }
}

TEST(IdenValueRecord, FixedBytesOfPrivateIdTalkgroupAndChat) {
    constexpr size_t R = 40;
    EncodedBytes id = buildIdenRecord(R, {1, kValuePrivateId, u"", u"100*20*300", 0}, kWestern);
    EXPECT_EQ(slice(id.bytes, R - 39, 7), hex("FF 00 08 C8 50 01 2C"));
    EncodedBytes talkgroup = buildIdenRecord(R, {1, kValueTalkgroup, u"", u"12", 0}, kWestern);
    EXPECT_EQ(slice(talkgroup.bytes, R - 37, 4), hex("00 00 00 0C"));
    EncodedBytes chat = buildIdenRecord(R, {1, kValueChatAddress, u"", u"10.0.0.1", 0}, kWestern);
    EXPECT_EQ(slice(chat.bytes, R - 37, 4), hex("0A 00 00 01"));
}

TEST(IdenValueRecord, NamesInTheAnsiCodePage) {
    constexpr size_t R = 48;
    const IdenRecord content{2, kValueMain, u"\u0418\u0432\u0430\u043D", u"1", 0};
    EncodedBytes cyrillic = buildIdenRecord(R, content, kCyrillic);
    EXPECT_FALSE(cyrillic.didNotFit);
    EXPECT_EQ(slice(cyrillic.bytes, 0, 5), hex("C8 E2 E0 ED 00"));
    EXPECT_EQ(parseIdenRecord(cyrillic.bytes, kCyrillic)->name, u"\u0418\u0432\u0430\u043D");

    // A code page without the letters cannot store the name, and says so.
    EncodedBytes western = buildIdenRecord(R, content, kWestern);
    EXPECT_TRUE(western.didNotFit);
    EXPECT_EQ(parseIdenRecord(western.bytes, kWestern)->name, u"????");
}

TEST(IdenValueRecord, NameCutAtACharacterBoundary) {
    // R = 44 leaves five name bytes, one of them the terminator.
    EncodedBytes latin = buildIdenRecord(44, {1, kValueMain, u"Alexander", u"1", 0}, kWestern);
    EXPECT_TRUE(latin.didNotFit);
    EXPECT_EQ(parseIdenRecord(latin.bytes, kWestern)->name, u"Alex");

    EncodedBytes japanese =
        buildIdenRecord(43, {1, kValueMain, u"\u65E5\u672C\u8A9E", u"1", 0}, kJapanese);
    EXPECT_TRUE(japanese.didNotFit);
    EXPECT_EQ(parseIdenRecord(japanese.bytes, kJapanese)->name, u"\u65E5");

    // A name filling its whole field without terminator still reads.
    std::vector<uint8_t> full = latin.bytes;
    std::fill_n(full.begin(), 5, 'Z');
    EXPECT_EQ(parseIdenRecord(full, kWestern)->name, u"ZZZZZ");
}

TEST(IdenValueRecord, UnusableOrFreeRecords) {
    EXPECT_FALSE(parseIdenRecord(std::vector<uint8_t>(39, 0), kWestern));
    EXPECT_FALSE(parseIdenRecord(std::vector<uint8_t>(40, 0), kWestern)); // contact 0: free
    std::vector<uint8_t> badType =
        buildIdenRecord(40, {1, kValueMain, u"", u"1", 0}, kWestern).bytes;
    badType[40 - 25] = 11;
    EXPECT_FALSE(parseIdenRecord(badType, kWestern));

    EXPECT_TRUE(buildIdenRecord(39, {1, kValueMain, u"", u"1", 0}, kWestern).didNotFit);
    // The editor's speed-dial group has no record encoding: the record stays free.
    EncodedBytes group = buildIdenRecord(40, {1, 11, u"", u"3", 0}, kWestern);
    EXPECT_TRUE(group.didNotFit);
    EXPECT_EQ(group.bytes, std::vector<uint8_t>(40, 0));
}

TEST(IdenEmail, ShortAddressNeedsNoContinuation) {
    constexpr size_t R = 40;
    EncodedBytes record = buildIdenRecord(R, {3, kValueEmail, u"", u"ab@cd.com", 0}, kWestern);
    EXPECT_EQ(record.bytes[R - 26], 0);
    EXPECT_EQ(slice(record.bytes, R - 37, 10), hex("61 62 40 63 64 2E 63 6F 6D 00"));
    EXPECT_TRUE(continuationPieces("ab@cd.com", 13).empty());
    EXPECT_EQ(emailBytesInRecord(record.bytes), "ab@cd.com");
}

TEST(IdenEmail, LongAddressInContinuationRecordsOfEMinusOneBytes) {
    constexpr size_t E = 13;
    const std::u16string address = u"first.last.name@some-long-domain.example"; // 40 bytes
    const CodePageBytes bytes = emailBytes(address, kWestern);
    ASSERT_EQ(bytes.bytes.size(), 40u);

    const std::vector<std::string_view> pieces = continuationPieces(bytes.bytes, E);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].size(), E - 1);
    EXPECT_EQ(pieces[1].size(), E - 1);
    EXPECT_EQ(pieces[2].size(), 40 - 10 - 2 * (E - 1));

    EncodedBytes value = buildIdenRecord(40, {1, kValueEmail, u"", address, 5}, kWestern);
    EXPECT_EQ(value.bytes[40 - 26], 5);
    EXPECT_EQ(parseIdenRecord(value.bytes, kWestern)->emailContinuation, 5);

    // The chain 5 -> 6 -> 9, read back the way it was written.
    const uint8_t chain[] = {5, 6, 9, 0};
    std::string text = emailBytesInRecord(value.bytes);
    for (size_t i = 0; i < pieces.size(); ++i) {
        const std::vector<uint8_t> record = buildContinuationRecord(pieces[i], E, chain[i + 1]);
        ASSERT_EQ(record.size(), E);
        EXPECT_FALSE(isFreeContinuationRecord(record));
        const ContinuationRecord parsed = parseContinuationRecord(record);
        EXPECT_EQ(parsed.text, pieces[i]);
        EXPECT_EQ(parsed.next, chain[i + 1]);
        text += parsed.text;
    }
    EXPECT_EQ(emailText(text, kWestern), address);
}

TEST(IdenEmail, LimitsAndUnusableRecordLength) {
    const CodePageBytes tooLong = emailBytes(std::u16string(300, u'x'), kWestern);
    EXPECT_EQ(tooLong.bytes.size(), kMaxEmailBytes);
    EXPECT_TRUE(tooLong.didNotFit);
    EXPECT_EQ(emailText(std::string(255, 'x'), kWestern).size(), kMaxEmailCharacters);
    EXPECT_TRUE(continuationPieces(std::string(40, 'x'), 2).empty());
    EXPECT_TRUE(isFreeContinuationRecord(hex("00 41 00")));
    EXPECT_EQ(parseContinuationRecord(hex("41 42 00 07")).text, "AB");
}

} // namespace
} // namespace brontel::codec
