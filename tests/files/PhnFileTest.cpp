#include "FileTestSupport.h"

#include "CodePage.h"
#include "FileDocument.h"
#include "PhnFile.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace pelmora::model;
using namespace pelmora::model::test;
using pelmora::platform::ProfileDocument;

namespace {

std::unique_ptr<FileDocument> roundTrip(const Document& doc, const PhoneBookFileOptions& o = {}) {
    const std::vector<uint8_t> bytes = writePhn(doc, o).profile.serialize();
    return readPhn(ProfileDocument::parse(bytes), u"back.phn", o);
}

ProfileDocument profileOf(std::string_view text) {
    return ProfileDocument::parse(std::vector<uint8_t>(text.begin(), text.end()));
}

} // namespace

TEST(PhnFile, EveryBookRoundTripsWithItsSize) {
    auto doc = FileDocument::createNew(u"New 1", BookCapacities{});
    *doc->category(kBookAdn)->entry(4) = makeEntry(u"Ann", u"+4930123");
    *doc->category(kBookBdn)->entry(0) = makeEntry(u"Barred", u"0900");
    *doc->category(kBookMsisdn)->entry(9) = makeEntry(u"Me", u"1");

    auto back = roundTrip(*doc);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->categories().size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(back->categories()[i]->kind(), doc->categories()[i]->kind());
        EXPECT_EQ(back->categories()[i]->slotCount(), doc->categories()[i]->slotCount());
        EXPECT_TRUE(back->categories()[i]->unchanged());
    }
    EXPECT_EQ(numberAt(*back->category(kBookAdn), 4), u"+4930123");
    EXPECT_EQ(nameAt(*back->category(kBookBdn), 0), u"Barred");
    EXPECT_EQ(nameAt(*back->category(kBookMsisdn), 9), u"Me");
}

TEST(PhnFile, IdenBookKeepsAllElevenValues) {
    FileDocument doc(u"x.phn");
    Category& iden = doc.addCategory(kBookNextel, 40);
    *iden.entry(0) = fullIdenEntry(u"Ann Lee", 1);
    *iden.entry(3) = fullIdenEntry(u"Bo", 12);
    auto back = roundTrip(doc);
    const Category& book = *back->category(kBookNextel);
    EXPECT_EQ(book.slotCount(), 40u);
    expectSameValues(*book.entry(0), *iden.entry(0));
    expectSameValues(*book.entry(3), *iden.entry(3));
    EXPECT_NE(book.entry(3)->recordNumbers[kValueTalkgroup], 0);
}

TEST(PhnFile, IdenValuesKeepTheirSpeedDialNumbers) {
    FileDocument doc(u"x.phn");
    Category& iden = doc.addCategory(kBookNextel, 10);
    PhoneBookEntry ann = makeEntry(u"Ann", u"1");
    setEntryValue(ann, kValueEmail, u"ann@example.org");
    ann.recordNumbers[kValueMain] = 7;
    ann.recordNumbers[kValueEmail] = 3;
    *iden.entry(2) = ann;
    const auto back = roundTrip(doc);
    EXPECT_EQ(back->category(kBookNextel)->entry(2)->recordNumbers[kValueMain], 7);
    EXPECT_EQ(back->category(kBookNextel)->entry(2)->recordNumbers[kValueEmail], 3);

    // Numbers given twice or not as numbers: the lowest free ones instead.
    const auto read = readPhn(profileOf("[0000]\r\nn1=Ann\r\nr1=t2\r\nt1=1\r\n"
                                        "n2=Bo\r\nr2=t2\r\nt2=5\r\nn3=Cy\r\nr3=t\r\nt3=6\r\n"),
                              u"b", {});
    const Category& book = *read->category(kBookNextel);
    EXPECT_EQ(book.entry(0)->recordNumbers[kValueMain], 2);
    EXPECT_EQ(book.entry(1)->recordNumbers[kValueMain], 1);
    EXPECT_EQ(book.entry(2)->recordNumbers[kValueMain], 3);
}

TEST(PhnFile, NamesOutsideTheCodePageSurviveInUtf16) {
    FileDocument doc(u"x.phn");
    *doc.addCategory(kBookAdn, 2).entry(0) = makeEntry(u"Наташа 😀", u"1");
    const std::vector<uint8_t> bytes = writePhn(doc, {}).profile.serialize();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(nameAt(*readPhn(ProfileDocument::parse(bytes), u"b", {})->category(kBookAdn), 0),
              u"Наташа 😀");
}

TEST(PhnFile, AnsiFilesOfOtherWritersAreRead) {
    // Code page 1252 in this test.
    auto doc = readPhn(profileOf("[6F3A]\r\nn1=Ren\xE9\r\nt1=123\r\nn2=\r\nt2=\r\n"), u"b", {});
    ASSERT_TRUE(doc);
    const Category& adn = *doc->category(kBookAdn);
    EXPECT_EQ(adn.slotCount(), 2u);
    EXPECT_EQ(nameAt(adn, 0), u"René");
}

TEST(PhnFile, ValuesKeepTheirBlanksAndQuotes) {
    FileDocument doc(u"x.phn");
    Category& adn = doc.addCategory(kBookAdn, 3);
    *adn.entry(0) = makeEntry(u" padded ", u"1");
    *adn.entry(1) = makeEntry(u"\"quoted\"", u"2");
    *adn.entry(2) = makeEntry(u"'single'", u"3");
    const auto reopened = roundTrip(doc);
    const Category& back = *reopened->category(kBookAdn);
    EXPECT_EQ(nameAt(back, 0), u" padded ");
    EXPECT_EQ(nameAt(back, 1), u"\"quoted\"");
    EXPECT_EQ(nameAt(back, 2), u"'single'");
}

TEST(PhnFile, NamelessEntriesKeepTheirValuesWhateverTheOption) {
    FileDocument doc(u"x.phn");
    *doc.addCategory(kBookAdn, 1).entry(0) = makeEntry(u"", u"112");
    EXPECT_EQ(numberAt(*roundTrip(doc)->category(kBookAdn), 0), u"112");
    PhoneBookFileOptions nameless;
    nameless.allowEmptyNameContacts = true;
    EXPECT_EQ(numberAt(*roundTrip(doc, nameless)->category(kBookAdn), 0), u"112");
}

TEST(PhnFile, LongMessagesKeepTheirWholeText) {
    FileDocument doc(u"x.phn");
    Category& box = doc.addCategory(kBookSms, 2);
    const std::u16string text = std::u16string(100, u'a') + u" end of a long message";
    *box.message(0) = makeMessage(text, u"+4930");
    setFieldText(box.message(0)->smsc, u"+491");
    box.message(0)->timestamp = {2003, 11, 6, 22, 14, 53, 6, 0};
    *box.message(1) = makeMessage(u"short");

    const PhnContent content = writePhn(doc, {});
    // Other readers take the first 80 characters from the fixed-size struct.
    const auto start = content.profile.structValue(u"6F3C", u"m1", 160);
    ASSERT_TRUE(start);
    EXPECT_EQ((*start)[0], 'a');
    EXPECT_EQ((*start)[1], 0);

    auto back = readPhn(ProfileDocument::parse(content.profile.serialize()), u"b", {});
    const Category& messages = *back->category(kBookSms);
    EXPECT_EQ(fieldText(messages.message(0)->text), text);
    EXPECT_EQ(fieldText(messages.message(0)->address), u"+4930");
    EXPECT_EQ(fieldText(messages.message(0)->smsc), u"+491");
    const pelmora::SystemTime& t = messages.message(0)->timestamp;
    EXPECT_EQ(t.year, 2003);
    EXPECT_EQ(t.month, 11);
    EXPECT_EQ(t.day, 22);
    EXPECT_EQ(t.hour, 14);
    EXPECT_EQ(t.minute, 53);
    EXPECT_EQ(t.second, 6);
    EXPECT_EQ(fieldText(messages.message(1)->text), u"short");
    EXPECT_EQ(messages.message(1)->timestamp.year, 0);
}

TEST(PhnFile, MessagesWithOnlyTheShortTextAreRead) {
    auto doc = readPhn(profileOf("[6F3C]\r\nm1=48006900A9\r\nd1=junk\r\nt1=12\r\n"), u"b", {});
    ASSERT_TRUE(doc);
    // The struct has the wrong size: no text, but the message slot is there.
    EXPECT_EQ(doc->category(kBookSms)->slotCount(), 1u);
    EXPECT_EQ(fieldText(doc->category(kBookSms)->message(0)->address), u"12");
}

TEST(PhnFile, OpeningFindsBooksOnlyWhereTheyAre) {
    EXPECT_EQ(readPhn(profileOf("[Options]\r\nx=1\r\n"), u"b", {}), nullptr);
    auto bdn = readPhn(profileOf("[6f4d]\r\nN1=Bar\r\nT1=1\r\n[6F3A]\r\n"), u"b", {});
    ASSERT_TRUE(bdn);
    ASSERT_EQ(bdn->categories().size(), 1u);
    EXPECT_EQ(nameAt(*bdn->category(kBookBdn), 0), u"Bar");
}

// A file of empty books opens as a document without entries; saved, it must
// still open.
TEST(PhnFile, DocumentWithoutEntriesSavesAsAFileThatOpens) {
    auto empty = readPhn(profileOf("[0000]"), u"b", {});
    ASSERT_TRUE(empty);
    const PhnContent saved = writePhn(*empty, {});
    EXPECT_TRUE(saved.books.empty());
    auto again = readPhn(ProfileDocument::parse(saved.profile.serialize()), u"b", {});
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->categories().empty());
}

// Read from an ANSI file, a value may end in a line-break character; the
// file written from it must read back the same on every later save.
TEST(PhnFile, ValueEndingInALineBreakIsTheSameAfterEverySave) {
    const std::string file("[0000]\r\nn1=Team\r\nt1=1\r\0\n", 24);
    auto opened = readPhn(profileOf(file), u"b", {});
    ASSERT_TRUE(opened);
    const auto saved = writePhn(*opened, {}).profile.serialize();
    auto again = readPhn(ProfileDocument::parse(saved), u"b", {});
    ASSERT_TRUE(again);
    EXPECT_EQ(writePhn(*again, {}).profile.serialize(), saved);
}

TEST(PhnFile, IdenValuesTheCardCannotHoldAreRefusedAndNumbersAreFound) {
    auto doc = readPhn(profileOf("[0000]\r\nn1=Ann\r\nt1=1\r\ng1=300\r\ni1=1.2.3.4\r\n"
                                 "n2=Bo\r\ng2=7\r\n"),
                       u"b", {});
    const Category& iden = *doc->category(kBookNextel);
    EXPECT_EQ(iden.slotCount(), 3u); // two contacts, three values: one record each
    EXPECT_EQ(entryValue(*iden.entry(0), kValueTalkgroup), u"");
    EXPECT_EQ(iden.entry(0)->recordNumbers[kValueMain], 1);
    EXPECT_EQ(iden.entry(0)->recordNumbers[kValueChatAddress], 2);
    EXPECT_EQ(iden.entry(1)->recordNumbers[kValueTalkgroup], 3);
}
