// Writing the books under DF telecom: record layout, numbers, the cyclic book,
// extension records, and calls that fail part-way.

#include "BookCardFixture.h"

#include "card/SIMCard.h"

#include <gtest/gtest.h>

namespace brontel::test {
namespace {

using WriteBook = BookCard;

const std::string kExt1 = "3F00/7F10/6F4A";
const std::string kExt2 = "3F00/7F10/6F4B";
const std::string kFreeExtension = "FFFFFFFFFFFFFFFFFFFFFFFFFF";

std::vector<uint8_t> adnRecord(std::string_view alpha, std::string_view number) {
    std::vector<uint8_t> bytes = padded(hex(alpha), 14);
    const std::vector<uint8_t> tail = padded(hex(number), 14);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

TEST_F(WriteBook, InternationalNumberIsStoredAsBcdWithItsType) {
    std::vector<PhoneBookEntry> entries{entry(u"Me", u"+44123")};
    ASSERT_EQ(write(0x6F40, entries), 1);
    EXPECT_EQ(hexText(records(files::kTelecom, files::kMsisdn)[0]),
              hexText(adnRecord("4D 65", "04 91 44 21 F3")));
    const BookRead msisdn = read(0x6F40);
    EXPECT_EQ(valueOf(msisdn.entries[0], kValueMain), u"+44123");
    // A count below the book's size leaves the other records alone.
    EXPECT_EQ(commandCount(0xDC), 1u);
}

TEST_F(WriteBook, EmptyEntryBecomesAnEmptyRecord) {
    std::vector<PhoneBookEntry> entries{entry(u""), entry(u"", u"")};
    ASSERT_EQ(write(0x6F40, entries), 1);
    for (const auto& record : records(files::kTelecom, files::kMsisdn)) {
        EXPECT_EQ(record, padded({}, 28));
    }
}

TEST_F(WriteBook, FormattingCharactersAreDroppedOthersReported) {
    std::vector<PhoneBookEntry> entries{entry(u"Office", u"+44 (20) 7946-0000"),
                                        entry(u"Ad", u"0800 CALL NOW")};
    EXPECT_EQ(write(0x6F40, entries), 0);
    EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);
    const BookRead msisdn = read(0x6F40);
    EXPECT_EQ(valueOf(msisdn.entries[0], kValueMain), u"+442079460000");
    EXPECT_EQ(valueOf(msisdn.entries[1], kValueMain), u"0800");
}

TEST_F(WriteBook, NamesComeBackExactlyAsTyped) {
    const std::u16string names[] = {
        u"[Team] {A}~",   // the escape table
        u"Zoë @ home_$",  // 0x81 with default-alphabet codes below 128
        u"ΦΓΩΠΣΘ èâêãäé", // never the card table's ambiguous codes
        u"仿ÿ，",         // UCS2 pairs with a byte FF
        u"Δ-Λ Ψ Ξ",
    };
    for (const std::u16string& name : names) {
        std::vector<PhoneBookEntry> entries{entry(name, u"1")};
        use(withSection(cardProfile("demo"), "3F00/7F10/6F40",
                        "Type=EF\nStructure=linear fixed\nRecordLength=42\nRecords=2\n"
                        "Read=CHV1\nUpdate=CHV1"));
        ASSERT_EQ(write(0x6F40, entries), 1);
        EXPECT_EQ(nameOf(read(0x6F40).entries[0]), name);
    }
}

TEST_F(WriteBook, LongNameIsCutAtACharacterAndReported) {
    std::vector<PhoneBookEntry> entries{entry(u"Alexander of Macedon", u"1")};
    EXPECT_EQ(write(0x6F40, entries), 0);
    EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);
    EXPECT_EQ(nameOf(read(0x6F40).entries[0]), u"Alexander of M");
}

TEST_F(WriteBook, CyclicBookIsWrittenOldestFirstInPreviousMode) {
    std::vector<PhoneBookEntry> entries{entry(u"", u"1"), entry(u"", u"2"), entry(u"", u"3")};
    ASSERT_EQ(write(0x6F44, entries), 1);
    std::vector<std::vector<uint8_t>> updates;
    for (const auto& command : commands()) {
        if (command[1] == 0xDC) {
            updates.push_back(command);
        }
    }
    ASSERT_EQ(updates.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        // A0 DC 00 03 1C: record 0, previous mode, 28 bytes.
        EXPECT_EQ(hexText({updates[i].begin(), updates[i].begin() + 5}), "A0 DC 00 03 1C");
        EXPECT_EQ(updates[i][5 + 14 + 2], 0xF0 | (3 - i)) << "entry " << 3 - i << " in turn " << i;
    }
    const BookRead lnd = read(0x6F44);
    EXPECT_EQ(valueOf(lnd.entries[0], kValueMain), u"1");
    EXPECT_EQ(valueOf(lnd.entries[2], kValueMain), u"3");
}

TEST_F(WriteBook, LongNumberContinuesInAnExtensionRecord) {
    std::vector<PhoneBookEntry> entries{entry(u"Long", u"123456789012345678901234")};
    ASSERT_EQ(write(0x6F40, entries), 1);
    // The first free record of EXT1: 20 digits in the record, 4 in the extension.
    EXPECT_EQ(hexText(records(files::kTelecom, files::kMsisdn)[0]),
              hexText(adnRecord("4C 6F 6E 67", "0B 81 21 43 65 87 09 21 43 65 87 09 FF 01")));
    EXPECT_EQ(hexText(records(files::kTelecom, files::kExt1)[0]),
              hexText(padded(hex("02 02 21 43"), 13)));
    EXPECT_EQ(valueOf(read(0x6F40).entries[0], kValueMain), u"123456789012345678901234");
}

TEST_F(WriteBook, NumberCutAtTwentyDigitsWhenNoExtensionRecordIsFree) {
    std::string profile = cardProfile("demo");
    for (int i = 1; i <= 10; ++i) {
        profile = withKey(profile, kExt1, std::to_string(i), "020198FFFFFFFFFFFFFFFFFFFF");
    }
    use(profile);
    std::vector<PhoneBookEntry> entries{entry(u"Long", u"123456789012345678901234")};
    EXPECT_EQ(write(0x6F40, entries), 0);
    EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);
    EXPECT_EQ(records(files::kTelecom, files::kMsisdn)[0].back(), 0xFF);
    EXPECT_EQ(valueOf(read(0x6F40).entries[0], kValueMain), u"12345678901234567890");
}

TEST_F(WriteBook, UnreadableExtensionRecordIsNotTaken) {
    addFault("A0B20104#1=6F00"); // the first read of a record 1: EXT1's
    std::vector<PhoneBookEntry> entries{entry(u"Long", u"123456789012345678901234")};
    EXPECT_EQ(write(0x6F40, entries), 0);
    EXPECT_EQ(lastError(), -18);
    EXPECT_EQ(records(files::kTelecom, files::kMsisdn)[0].back(), 0x02);
    EXPECT_EQ(valueOf(read(0x6F40).entries[0], kValueMain), u"123456789012345678901234");
}

// EXT1 serves ADN, MSISDN and LND alike.
TEST_F(WriteBook, ExtensionRecordsOtherBooksUseAreKept) {
    std::string profile = cardProfile("demo");
    profile = withKey(profile, "3F00/7F10/6F40", "2",
                      "4C6F6E67FFFFFFFFFFFFFFFFFFFF0B8121436587092143658709FF05");
    profile = withKey(profile, "3F00/7F10/6F44", "4",
                      "FFFFFFFFFFFFFFFFFFFFFFFFFFFF0B8121436587092143658709FF06");
    profile = withKey(profile, kExt1, "5", "02012AFFFFFFFFFFFFFFFFFFFF");
    profile = withKey(profile, kExt1, "6", "02013BFFFFFFFFFFFFFFFFFFFF");
    profile = withKey(profile, kExt1, "7", "02014CFFFFFFFFFFFFFFFFFFFF"); // nobody's
    use(profile);
    BookRead adn = read(0x6F3A);
    ASSERT_EQ(adn.result, 1);
    ASSERT_EQ(write(0x6F3A, adn.entries), 1);
    const auto ext1 = records(files::kTelecom, files::kExt1);
    EXPECT_EQ(hexText(ext1[2]), hexText(padded(hex("02 02 98 FB"), 13))); // Conference's
    EXPECT_EQ(hexText(ext1[4]), hexText(padded(hex("02 01 2A"), 13)));
    EXPECT_EQ(hexText(ext1[5]), hexText(padded(hex("02 01 3B"), 13)));
    EXPECT_EQ(hexText(ext1[6]), hexText(padded({}, 13))); // freed
    EXPECT_EQ(valueOf(read(0x6F40).entries[1], kValueMain), u"12345678901234567890*2");
}

TEST_F(WriteBook, NumbersMovingOutFreeTheirExtensionRecords) {
    BookRead adn = read(0x6F3A);
    ASSERT_EQ(adn.result, 1);
    adn.entries[31] = entry(u"Conference", u"+442079460133");
    ASSERT_EQ(write(0x6F3A, adn.entries), 1);
    EXPECT_EQ(records(files::kTelecom, files::kExt1)[2], padded({}, 13));
    // And are taken again by the next long number.
    adn.entries[5] = entry(u"Home", u"0163296060012345678901234");
    ASSERT_EQ(write(0x6F3A, adn.entries), 1);
    EXPECT_EQ(valueOf(read(0x6F3A).entries[5], kValueMain), u"0163296060012345678901234");
    EXPECT_EQ(records(files::kTelecom, files::kAdn)[5].back(), 0x01);
}

TEST_F(WriteBook, NothingIsFreedUnlessTheBookIsWritten) {
    const std::string orphan = "02014CFFFFFFFFFFFFFFFFFFFF";
    use(withKey(cardProfile("demo"), kExt2, "4", orphan)); // PIN2 not verified
    std::vector<PhoneBookEntry> none;
    EXPECT_EQ(write(0x6F3B, none), 0);
    BookRead fdn = read(0x6F3B);
    EXPECT_EQ(write(0x6F3B, fdn.entries), 0);
    EXPECT_EQ(lastError(), -9); // access condition not fulfilled
    EXPECT_EQ(hexText(records(files::kTelecom, files::kExt2)[3]), hexText(hex(orphan)));

    // With PIN2 the whole book is written and the orphan goes.
    ASSERT_EQ(card.verify_chv("5678", 2), 1);
    EXPECT_EQ(write(0x6F3B, fdn.entries), 1);
    EXPECT_EQ(records(files::kTelecom, files::kExt2)[3], padded({}, 13));
}

TEST_F(WriteBook, PartialWriteKeepsExtensionRecordsOfRecordsLeftAlone) {
    // Writing ADN's first record only: Conference (record 32) still points at record 3.
    std::vector<PhoneBookEntry> entries{entry(u"Alice", u"1")};
    ASSERT_EQ(write(0x6F3A, entries), 1);
    EXPECT_EQ(hexText(records(files::kTelecom, files::kExt1)[2]),
              hexText(padded(hex("02 02 98 FB"), 13)));
}

TEST_F(WriteBook, FailedUpdatesDoNotStopTheLoopAndTheFirstIsReported) {
    addFault("A0DC#2=9240;A0DC#4=6F00");
    std::vector<PhoneBookEntry> entries{entry(u"A", u"1"), entry(u"B", u"2"), entry(u"C", u"3"),
                                        entry(u"D", u"4"), entry(u"E", u"5")};
    std::vector<ProgressCall> progress;
    EXPECT_EQ(write(0x6F3A, entries, &progress), 0);
    EXPECT_EQ(lastError(), -2); // 92 40, the first failure
    EXPECT_EQ(commandCount(0xDC), 5u);
    ASSERT_EQ(progress.size(), 5u);
    EXPECT_EQ(progress[4].index, 5);
    EXPECT_EQ(progress[4].total, 250);
    EXPECT_EQ(progress[4].name, u"E");
    EXPECT_EQ(progress[4].value, u"5");
    const BookRead adn = read(0x6F3A);
    EXPECT_EQ(nameOf(adn.entries[2]), u"C");
    EXPECT_EQ(nameOf(adn.entries[4]), u"E");
}

TEST_F(WriteBook, BarredNumbersKeepTheRecordLayoutWithItsComparisonByte) {
    use(cardProfile("demo"), true);
    std::vector<PhoneBookEntry> entries{entry(u"Premium line", u"09098790999")};
    ASSERT_EQ(write(0x6F4D, entries), 1);
    EXPECT_EQ(hexText(records(files::kTelecom, files::kBdn)[0]),
              hexText(hex("5072656D69756D206C696E65FFFF07819090780999F9FFFFFFFFFFFFFF")));
}

TEST_F(WriteBook, FourteenByteRecordsTakeNumbers) {
    use(cardProfile("adn-14"));
    std::vector<PhoneBookEntry> entries{entry(u"", u"+44123"), entry(u"Named", u"5")};
    EXPECT_EQ(write(0x6F3A, entries), 0); // no room for the name
    EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);
    const BookRead adn = read(0x6F3A);
    EXPECT_EQ(valueOf(adn.entries[0], kValueMain), u"+44123");
    EXPECT_EQ(valueOf(adn.entries[1], kValueMain), u"5");
    EXPECT_EQ(valueOf(adn.entries[2], kValueMain), u"+447700900103");
}

TEST_F(WriteBook, NullOrEmptyRequestsWriteNothing) {
    PhoneBookRequest request{};
    EXPECT_EQ(set_phone_book(&card, 0x6F3A, &request), 0);
    EXPECT_EQ(set_phone_book(nullptr, 0x6F3A, &request), 0);
    EXPECT_EQ(set_phone_book(&card, 0x6F3A, nullptr), 0);
    EXPECT_EQ(commandCount(0xDC), 0u);
}

} // namespace
} // namespace brontel::test
