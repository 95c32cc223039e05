// The USIM phone book of the test cards through get_phone_book and
// set_phone_book: every contact with its additional values, an edit that
// comes back as written, and the GSM files beside it left alone.

#include "BookCardFixture.h"
#include "CardFiles.h"

#include "Brontel.h"
#include "card/Apdu.h"

#include <gtest/gtest.h>

#include "FieldText.h"

#include <algorithm>
#include <cstring>

namespace brontel::test {
namespace {

constexpr FileId kPhoneBookPath{0x5F3A};

struct Contact {
    int number; // in the book, from 1
    std::u16string name, main, second, email, nick;
};

struct UsimCard {
    const char* card;
    int entries;
    std::vector<Contact> contacts; // a sample, checked field by field
    int filled;                    // entries with a name or number
};

const UsimCard kCards[] = {
    {"usim-type1",
     250,
     {{1, u"Alice Morgan", u"+447700900101", u"+441632960101", u"alice@example.com", u"Ali"},
      {6, u"Иван Петров", u"+74951234567", u"", u"ivan@example.ru", u"Ваня"},
      {7, u"Conference", u"+442079460133p123456789#", u"", u"", u""},
      {9, u"", u"+447700900199", u"", u"", u""},
      {12, u"Plumber", u"01632960150", u"07700900151", u"fix-it@plumbing.example", u""}},
     11},
    {"usim-type2",
     100,
     {{1, u"Alice Morgan", u"+447700900101", u"+441632960101", u"alice@example.com", u"Ali"},
      {5, u"Renée Dubois", u"+33199001234", u"+33199001299", u"renee_d@example.fr", u""},
      {40, u"Mail only", u"07700900140", u"", u"only@mail.example", u""}},
     11},
    {"usim-500",
     500,
     {{3, u"Contact 003", u"+447700900003", u"", u"contact3@mail.example", u""},
      {250, u"Contact 250", u"+447700900250", u"01632000250", u"", u""},
      {420, u"Contact 420", u"+447700900420", u"01632000420", u"contact420@mail.example",
       u"Nick 420"}},
     500},
};

Contact contactOf(const PhoneBookEntry& e, int number) {
    return {number,
            nameOf(e),
            valueOf(e, kValueMain),
            valueOf(e, kUsimFirstNumberValue),
            valueOf(e, kUsimEmailValues[0]),
            valueOf(e, kUsimSecondNameValue)};
}

void expectContact(const PhoneBookEntry& e, const Contact& want) {
    const Contact got = contactOf(e, want.number);
    EXPECT_EQ(got.name, want.name) << want.number;
    EXPECT_EQ(got.main, want.main) << want.number;
    EXPECT_EQ(got.second, want.second) << want.number;
    EXPECT_EQ(got.email, want.email) << want.number;
    EXPECT_EQ(got.nick, want.nick) << want.number;
    EXPECT_EQ(e.recordNumbers[0], want.number);
}

class UsimBook : public BookCard, public ::testing::WithParamInterface<UsimCard> {
protected:
    void SetUp() override {
        BookCard::SetUp();
        use(cardProfile(GetParam().card));
    }
    // The GSM files the USIM book must never touch.
    std::vector<std::vector<std::vector<uint8_t>>> gsmFiles() {
        return {records(files::kTelecom, files::kAdn), records(files::kTelecom, files::kSms),
                records(files::kTelecom, files::kExt1)};
    }
};

TEST_P(UsimBook, ReadsEveryContactWithItsValues) {
    const BookRead book = read(kUsimPhoneBookId);
    ASSERT_EQ(book.result, 1) << lastError();
    ASSERT_EQ(book.count, GetParam().entries);
    for (const Contact& want : GetParam().contacts) {
        expectContact(book.entries[static_cast<size_t>(want.number - 1)], want);
    }
    EXPECT_EQ(std::ranges::count_if(
                  book.entries, [](const PhoneBookEntry& e) { return e.recordNumbers[0] != 0; }),
              GetParam().filled);
}

TEST_P(UsimBook, WritingTheBookBackUnchangedSendsNoUpdate) {
    BookRead book = read(kUsimPhoneBookId);
    ASSERT_EQ(book.result, 1);
    clearTrace();
    ASSERT_EQ(write(kUsimPhoneBookId, book.entries), 1) << lastError();
    EXPECT_EQ(commandCount(kInsUpdateRecord), 0u);
    EXPECT_EQ(commandCount(kInsUpdateBinary), 0u);
}

TEST_P(UsimBook, AnEditComesBackAsWrittenAndLeavesTheGsmFilesAlone) {
    BookRead book = read(kUsimPhoneBookId);
    ASSERT_EQ(book.result, 1);
    const auto gsmBefore = gsmFiles();
    const size_t added = static_cast<size_t>(GetParam().entries - 1); // the last entry
    book.entries[added] = entry(u"New Friend", u"+4930123456789012345678901");
    (void)codec::setFieldText(phoneBookValue(book.entries[added], kUsimEmailValues[0]).text, 256,
                              u"new.friend@example.de");
    (void)codec::setFieldText(phoneBookValue(book.entries[added], kUsimFirstNumberValue).text, 61,
                              u"+4915112345678");
    (void)codec::setFieldText(phoneBookValue(book.entries[0], kUsimEmailValues[0]).text, 256, u"");
    book.entries[1] = PhoneBookEntry{}; // deleted
    for (PhoneBookEntry& e : book.entries) {
        e.recordNumbers[0] = 0;
    }
    ASSERT_EQ(write(kUsimPhoneBookId, book.entries), 1) << lastError();
    const BookRead again = read(kUsimPhoneBookId);
    ASSERT_EQ(again.result, 1);
    for (size_t i = 0; i < book.entries.size(); ++i) {
        const Contact want = contactOf(book.entries[i], static_cast<int>(i + 1));
        const Contact got = contactOf(again.entries[i], static_cast<int>(i + 1));
        EXPECT_EQ(got.name + u"|" + got.main + u"|" + got.second + u"|" + got.email + u"|" +
                      got.nick,
                  want.name + u"|" + want.main + u"|" + want.second + u"|" + want.email + u"|" +
                      want.nick)
            << "entry " << i + 1;
    }
    EXPECT_EQ(gsmFiles(), gsmBefore);
}

INSTANTIATE_TEST_SUITE_P(Cards, UsimBook, ::testing::ValuesIn(kCards), [](const auto& info) {
    std::string name = info.param.card;
    std::erase(name, '-');
    return name;
});

class UsimBookKeeping : public BookCard {
protected:
    std::vector<std::vector<uint8_t>> phoneBookRecords(FileId ef) {
        std::vector<std::vector<uint8_t>> out;
        SimFileInfo info;
        if (!card.select(files::kMasterFile) || !card.select(files::kTelecom) ||
            !card.select(kPhoneBookPath) || !card.select(ef, &info.length) ||
            !card.status(&info, 0)) {
            ADD_FAILURE() << "cannot describe " << std::hex << ef.value;
            return out;
        }
        for (int r = 1; r <= info.recordCount(); ++r) {
            out.push_back(readRecord(card, static_cast<uint8_t>(r), info.recordLength));
        }
        return out;
    }
};

// A new entry takes the identifier after the last one handed out, a deleted
// one gives its identifier up, and the change counter counts the write.
TEST_F(UsimBookKeeping, NewEntryTakesTheNextUniqueIdAndTheChangeCounterCounts) {
    use(cardProfile("usim-type2"));
    BookRead book = read(kUsimPhoneBookId);
    ASSERT_EQ(book.result, 1);
    book.entries[49] = entry(u"Fifty", u"0123");
    book.entries[1] = PhoneBookEntry{};
    ASSERT_EQ(write(kUsimPhoneBookId, book.entries), 1) << lastError();
    const auto uid = phoneBookRecords(FileId{0x4F20});
    EXPECT_EQ(hexText(uid[49]), "00 0C");
    EXPECT_EQ(hexText(uid[1]), "FF FF");
    EXPECT_EQ(hexText(uid[0]), "00 01");
    std::vector<uint8_t> changes(2);
    ASSERT_EQ(card.select(FileId{0x4F23}), 1);
    ASSERT_EQ(card.read_binary(0, changes, 2), 1);
    EXPECT_EQ(hexText(changes), "00 01");
    // Bob's e-mail record is free again, and his IAP record points nowhere.
    EXPECT_EQ(hexText(phoneBookRecords(FileId{0x4F25})[1]), "FF FF");
}

// Pointers the card holds are checked before they are followed.
TEST_F(UsimBookKeeping, PointersOutsideTheirFilesReadNothing) {
    std::string profile = cardProfile("usim-type2");
    profile = withKey(profile, "3F00/7F10/5F3A/4F25", "1", "99FE"); // IAP beyond the files
    profile = withKey(profile, "3F00/7F10/5F3A/4F3A", "2",
                      "426F62FFFFFFFFFFFFFFFFFFFFFF0281F1FFFFFFFFFFFFFFFFFFFF09"); // EXT1 9: free
    use(profile);
    const BookRead book = read(kUsimPhoneBookId);
    ASSERT_EQ(book.result, 1);
    expectContact(book.entries[0], {1, u"Alice Morgan", u"+447700900101", u"", u"", u"Ali"});
    EXPECT_EQ(valueOf(book.entries[1], kValueMain), u"1");
}

// A value the card has no file for is told before a write, and a write asked
// to store it reports it as cut and stores everything else.
TEST_F(UsimBookKeeping, AValueWithoutAFileIsToldAndReportedAsCut) {
    use(cardProfile("usim-type1")); // one ANR, one EMAIL and one SNE file
    PhoneBookRequest described{};
    ASSERT_EQ(get_phone_book(&card, kUsimPhoneBookId, &described), 1);
    EXPECT_EQ(described.unused, 1 << kValuePrivateId | 1 << kValueWork | 1 << kValueMobile |
                                    1 << kValueFax | 1 << kValuePager | 1 << kValueTalkgroup |
                                    1 << kValueChatAddress);
    BookRead book = read(kUsimPhoneBookId);
    ASSERT_EQ(book.result, 1);
    const PhoneBookValueField second = phoneBookValue(book.entries[0], kUsimEmailValues[1]);
    (void)codec::setFieldText(second.text, second.capacity, u"ali@work.example");
    book.entries[2] = entry(u"New Friend", u"0123");
    EXPECT_EQ(write(kUsimPhoneBookId, book.entries), 0);
    EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);
    const BookRead again = read(kUsimPhoneBookId);
    expectContact(again.entries[0],
                  {1, u"Alice Morgan", u"+447700900101", u"+441632960101", u"alice@example.com",
                   u"Ali"});
    EXPECT_EQ(valueOf(again.entries[0], kUsimEmailValues[1]), u"");
    EXPECT_EQ(nameOf(again.entries[2]), u"New Friend");
}

} // namespace
} // namespace brontel::test

