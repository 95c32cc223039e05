// Reading the books under DF telecom: the two-call protocol, decoding, long
// numbers joined with their extension records, and reads that go wrong.

#include "BookCardFixture.h"

#include "card/SIMCard.h"

#include <gtest/gtest.h>

namespace brontel::test {
namespace {

using ReadBook = BookCard;

TEST_F(ReadBook, SizingCallDescribesTheBookWithoutReadingRecords) {
    PhoneBookRequest request{};
    request.count = 12345;
    ASSERT_EQ(get_phone_book(&card, 0x6F3A, &request), 1);
    EXPECT_EQ(request.count, 250);
    EXPECT_EQ(request.fileSize, 250 * 28);
    EXPECT_EQ(request.fileType, 4);
    EXPECT_EQ(request.structure, 1);
    EXPECT_EQ(request.recordLength, 28);
    EXPECT_EQ(request.readCondition, 1);   // CHV1
    EXPECT_EQ(request.updateCondition, 1); // CHV1
    EXPECT_EQ(commandCount(0xB2), 0u);
    // MF, DF, EF and the description: nothing more.
    EXPECT_EQ(commands().size(), 4u);
}

TEST_F(ReadBook, ArrayTooSmallReadsNothing) {
    std::vector<PhoneBookEntry> entries(249, entry(u"untouched"));
    PhoneBookRequest request{};
    request.entries = entries.data();
    request.count = 249;
    EXPECT_EQ(get_phone_book(&card, 0x6F3A, &request), 0);
    EXPECT_EQ(request.count, 250);
    EXPECT_EQ(nameOf(entries[0]), u"untouched");
    EXPECT_EQ(commandCount(0xB2), 0u);
}

TEST_F(ReadBook, DecodesNamesInEveryScheme) {
    const BookRead adn = read(0x6F3A);
    ASSERT_EQ(adn.result, 1);
    ASSERT_EQ(adn.entries.size(), 250u);
    const struct {
        int record;
        std::u16string name;
        std::u16string number;
    } expected[] = {
        {1, u"Alice Morgan", u"+447700900101"},
        {5, u"Emma Clarke", u"07700900105"},
        {11, u"Renée Dubois", u"+33199001234"},
        {12, u"Jürgen Schäfer", u"+493012345678"},
        {14, u"José Núñez", u"+34600000014"},
        {18, u"Оля", u"+79161234567"},
        {23, u"王小明", u"+8613812345678"},
        {36, u"Balance", u"*#1345#"},
        {40, u"Max_Power", u"07700900141"},
        {41, u"Kim @ Work", u"07700900142"},
        {42, u"Just a name", u""},
        {43, u"", u"+447700900199"},
    };
    for (const auto& e : expected) {
        const PhoneBookEntry& got = adn.entries[static_cast<size_t>(e.record - 1)];
        EXPECT_EQ(nameOf(got), e.name) << "record " << e.record;
        EXPECT_EQ(valueOf(got, kValueMain), e.number) << "record " << e.record;
        EXPECT_EQ(got.recordNumbers[0], e.record);
    }
    // Empty records stay all zero, without a record number.
    EXPECT_EQ(nameOf(adn.entries[43]), u"");
    EXPECT_EQ(adn.entries[43].recordNumbers[0], 0);
    EXPECT_EQ(nameOf(adn.entries[119]), u"Plumber");
    EXPECT_EQ(adn.entries[119].recordNumbers[0], 120);
}

TEST_F(ReadBook, InternationalNumberWithOddDigitCount) {
    // +44123: TON/NPI 91, digits 44 21 F3, length byte 4.
    use(withKey(cardProfile("demo"), "3F00/7F10/6F40", "2",
                "FFFFFFFFFFFFFFFFFFFFFFFFFFFF04914421F3FFFFFFFFFFFFFFFFFF"));
    const BookRead msisdn = read(0x6F40);
    ASSERT_EQ(msisdn.result, 1);
    EXPECT_EQ(valueOf(msisdn.entries[1], kValueMain), u"+44123");
}

TEST_F(ReadBook, LongNumberJoinsItsExtensionRecord) {
    const BookRead adn = read(0x6F3A);
    ASSERT_EQ(adn.result, 1);
    EXPECT_EQ(nameOf(adn.entries[31]), u"Conference");
    EXPECT_EQ(valueOf(adn.entries[31], kValueMain), u"+442079460133p123456789#");
    // One look at EXT1: selected and described once, one record read, then back
    // to the book with a single SELECT. The sizing call selected three files.
    EXPECT_EQ(commandCount(0xB2), 251u);
    EXPECT_EQ(commandCount(0xA4), 3u + 3u + 1u + 1u);
}

TEST_F(ReadBook, ExtensionReferencesOutsideTheFileAreIgnored) {
    std::string profile = cardProfile("demo");
    // Record 1 points at extension record 0x20; EXT1 has ten records.
    profile = withKey(profile, "3F00/7F10/6F3A", "1",
                      "416C696365204D6F7267616EFFFF0B91447700091010FFFFFFFFFF20");
    use(profile);
    const BookRead adn = read(0x6F3A);
    EXPECT_EQ(adn.result, 1);
    EXPECT_EQ(valueOf(adn.entries[0], kValueMain), u"+447700900101");
}

TEST_F(ReadBook, FourteenByteRecordsHoldNumbersOnly) {
    use(cardProfile("adn-14"));
    const BookRead adn = read(0x6F3A);
    ASSERT_EQ(adn.result, 1);
    EXPECT_EQ(nameOf(adn.entries[0]), u"");
    EXPECT_EQ(valueOf(adn.entries[0], kValueMain), u"+447700900101");
    EXPECT_EQ(adn.entries[0].recordNumbers[0], 1);
}

TEST_F(ReadBook, BarredNumbersKeepTheirComparisonPointerApart) {
    // EF BDN records are X + 15 bytes (TS 51.011 10.5.6).
    const BookRead bdn = read(0x6F4D);
    ASSERT_EQ(bdn.result, 1);
    EXPECT_EQ(nameOf(bdn.entries[0]), u"Premium line");
    EXPECT_EQ(valueOf(bdn.entries[0], kValueMain), u"09098790999");
}

TEST_F(ReadBook, ProgressOncePerRecord) {
    ASSERT_EQ(read(0x6F3B).result, 1);
    const std::vector<ProgressCall>& calls = readProgress();
    ASSERT_EQ(calls.size(), 10u);
    EXPECT_EQ(calls[0].index, 1);
    EXPECT_EQ(calls[0].total, 10);
    EXPECT_EQ(calls[0].name, u"Home");
    EXPECT_EQ(calls[0].value, u"01632960001");
    EXPECT_EQ(calls[9].index, 10);
    EXPECT_EQ(calls[9].name, u"");
}

TEST_F(ReadBook, FailedRecordStopsTheReadAndIsReported) {
    addFault("A0B2#5=6F00");
    const BookRead fdn = read(0x6F3B);
    EXPECT_EQ(fdn.result, 0);
    EXPECT_EQ(lastError(), -18);
    EXPECT_EQ(nameOf(fdn.entries[3]), u"Any 07700 900");
    EXPECT_EQ(commandCount(0xB2), 5u);
}

TEST_F(ReadBook, RecordAnsweredShortFailsTheRead) {
    addFault("A0B2#2=short:14");
    const BookRead adn = read(0x6F3A);
    EXPECT_EQ(adn.result, 0);
    EXPECT_EQ(lastError(), -14);
    EXPECT_EQ(nameOf(adn.entries[0]), u"Alice Morgan");
    EXPECT_EQ(nameOf(adn.entries[1]), u"");
}

TEST_F(ReadBook, IsoFileNotFoundIsAMissingBook) {
    addFault("A0A40000026F3B=6A82");
    PhoneBookRequest request{};
    EXPECT_EQ(get_phone_book(&card, 0x6F3B, &request), 0);
    EXPECT_EQ(lastError(), -6);
}

TEST_F(ReadBook, LostWayBackToTheBookEndsTheReadAsAFailure) {
    // The SELECT that returns to ADN after EXT1 fails: the sizing call sends
    // three, the read three more and one for EXT1.
    addFault("A0A4#8=6F00");
    const BookRead adn = read(0x6F3A);
    EXPECT_EQ(adn.result, 0);
    EXPECT_EQ(lastError(), -18);
    EXPECT_EQ(valueOf(adn.entries[31], kValueMain), u"+442079460133p123456789#");
    EXPECT_EQ(nameOf(adn.entries[32]), u"");
}

TEST_F(ReadBook, FailedExtensionReadLeavesTheNumberShortAndTheCallFailed) {
    addFault("A0B20304#2=6581"); // the second read of a record 3: EXT1's
    const BookRead adn = read(0x6F3A);
    EXPECT_EQ(adn.result, 0);
    EXPECT_EQ(valueOf(adn.entries[31], kValueMain), u"+442079460133p1234567");
    // The loop goes on to the end.
    EXPECT_EQ(nameOf(adn.entries[249]), u"Last Entry");
}

struct UnusableShape {
    const char* name;
    const char* section; // the keys of FDN's section
};

class UnusableBook : public BookCard, public ::testing::WithParamInterface<UnusableShape> {};

TEST_P(UnusableBook, IsNeitherReadNorWritten) {
    use(withSection(cardProfile("demo"), "3F00/7F10/6F3B", GetParam().section), true);
    PhoneBookRequest request{};
    EXPECT_EQ(get_phone_book(&card, 0x6F3B, &request), 0);
    std::vector<PhoneBookEntry> entries(3, entry(u"Someone", u"123"));
    EXPECT_EQ(write(0x6F3B, entries), 0);
    EXPECT_EQ(commandCount(0xB2), 0u);
    EXPECT_EQ(commandCount(0xDC), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, UnusableBook,
    ::testing::Values(UnusableShape{"Transparent",
                                    "Type=EF\nStructure=transparent\nSize=28\nRead=CHV1\n"
                                    "Update=CHV2"},
                      UnusableShape{"RecordsOf13Bytes",
                                    "Type=EF\nStructure=linear fixed\nRecordLength=13\n"
                                    "Records=10\nRead=CHV1\nUpdate=CHV2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReadBook, RecordsPast254AreNotUsed) {
    use(withKey(cardProfile("demo"), "3F00/7F10/6F3A", "Records", "255"));
    PhoneBookRequest request{};
    ASSERT_EQ(get_phone_book(&card, 0x6F3A, &request), 1);
    EXPECT_EQ(request.count, 254);
    const BookRead adn = read(0x6F3A);
    EXPECT_EQ(adn.result, 1);
    EXPECT_EQ(adn.entries.size(), 254u);
}

TEST_F(ReadBook, MissingBookFailsWithTheCardsAnswer) {
    PhoneBookRequest request{};
    EXPECT_EQ(get_phone_book(&card, 0x6F99, &request), 0);
    EXPECT_EQ(lastError(), -6); // 94 04: file not found
    EXPECT_EQ(get_phone_book(nullptr, 0x6F3A, &request), 0);
    EXPECT_EQ(get_phone_book(&card, 0x6F3A, nullptr), 0);
}

} // namespace
} // namespace brontel::test
