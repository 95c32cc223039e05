#include "FileTestSupport.h"

#include "AdditionalValues.h"
#include "CsvFile.h"
#include "FileDocument.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace pelmora::model;
using namespace pelmora::model::test;

namespace {

std::vector<uint8_t> ascii(std::string_view text) {
    return {text.begin(), text.end()};
}

std::string asText(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

PhoneBookFileOptions options(bool saveOnlyAdn = true, bool ansi = true) {
    PhoneBookFileOptions o;
    o.saveOnlyAdnCsv = saveOnlyAdn;
    o.saveCsvAnsi = ansi;
    return o;
}

// A file document holding only an ADN book with these entries.
std::unique_ptr<FileDocument> adnDocument(std::initializer_list<PhoneBookEntry> entries) {
    auto doc = std::make_unique<FileDocument>(u"x.csv");
    Category& adn = doc->addCategory(kBookAdn, 10);
    int slot = 0;
    for (const PhoneBookEntry& e : entries) {
        *adn.entry(slot++) = e;
    }
    return doc;
}

std::vector<uint16_t> kindsOf(const Document& doc) {
    std::vector<uint16_t> kinds;
    for (const auto& c : doc.categories()) {
        kinds.push_back(c->kind());
    }
    return kinds;
}

} // namespace

TEST(CsvSave, QuotedFieldsAreWrittenAndReadBack) {
    auto doc = adnDocument({makeEntry(u"Smith, Anna", u"+44 20"), makeEntry(u"Bob", u"123"),
                            makeEntry(u"Say \"Hi\"", u"1")});
    const CsvContent content = writeCsv(*doc, u',', CsvHeaderTexts{}, options());
    EXPECT_FALSE(content.utf16);
    EXPECT_EQ(asText(content.bytes), "Name,Phone\r\n\"Smith, Anna\",\"+44 20\"\r\nBob,123\r\n"
                                     "\"Say \"\"Hi\"\"\",1\r\n");

    const CsvDocument back = readCsv(content.bytes, u"x.csv", u',', options());
    const Category& adn = *back.document->category(kBookAdn);
    EXPECT_EQ(nameAt(adn, 0), u"Smith, Anna");
    EXPECT_EQ(numberAt(adn, 0), u"+44 20");
    EXPECT_EQ(nameAt(adn, 2), u"Say \"Hi\"");
    EXPECT_TRUE(adn.unchanged());
}

TEST(CsvSave, BooksWrittenFollowTheOptions) {
    auto doc = FileDocument::createNew(u"New 1", BookCapacities{});
    *doc->category(kBookFdn)->entry(0) = makeEntry(u"Fixed", u"112");
    *doc->category(kBookAdn)->entry(0) = makeEntry(u"", u"999");
    *doc->category(kBookSms)->message(0) = makeMessage(u"never in a csv");

    CsvContent only = writeCsv(*doc, u';', CsvHeaderTexts{}, options(true));
    // The iDEN book comes first but holds no row: the ADN rows make the header,
    // and the file opens again as the ADN book.
    EXPECT_EQ(asText(only.bytes), "Name;Phone\r\n;999\r\n");
    EXPECT_EQ(only.books.size(), 2u);
    const CsvDocument back = readCsv(only.bytes, u"x", u';', options(false));
    EXPECT_EQ(back.layoutBook, kBookAdn);
    EXPECT_EQ(numberAt(*back.document->category(kBookAdn), 0), u"999");

    CsvContent all = writeCsv(*doc, u';', CsvHeaderTexts{}, options(false));
    EXPECT_NE(asText(all.bytes).find("Fixed;112\r\n"), std::string::npos);
    EXPECT_EQ(asText(all.bytes).find("never"), std::string::npos);
    EXPECT_EQ(all.books.size(), 7u);

    PhoneBookFileOptions nameless = options(true);
    nameless.allowEmptyNameContacts = true;
    EXPECT_NE(asText(writeCsv(*doc, u';', CsvHeaderTexts{}, nameless).bytes).find(";999\r\n"),
              std::string::npos);
}

TEST(CsvSave, TextOutsideTheCodePageIsWrittenAsUtf16AndReopensAsUtf16) {
    auto doc = adnDocument({makeEntry(u"Наташа", u"+7 495"), makeEntry(u"Zoë", u"1")});
    const CsvContent content = writeCsv(*doc, u',', CsvHeaderTexts{}, options(true, true));
    EXPECT_TRUE(content.ansiWouldLoseText);
    ASSERT_TRUE(content.utf16);
    EXPECT_EQ(content.bytes[0], 0xFF);
    EXPECT_EQ(content.bytes[1], 0xFE);

    const CsvDocument back = readCsv(content.bytes, u"x.csv", u',', options());
    EXPECT_EQ(back.encoding, TextFileEncoding::Utf16LE);
    EXPECT_EQ(nameAt(*back.document->category(kBookAdn), 0), u"Наташа");

    const CsvContent unicode = writeCsv(*adnDocument({makeEntry(u"Bob", u"1")}), u',',
                                        CsvHeaderTexts{}, options(true, false));
    EXPECT_TRUE(unicode.utf16);
    EXPECT_FALSE(unicode.ansiWouldLoseText);
}

TEST(CsvOpen, HeaderWidthChoosesTheBooks) {
    const auto twelve =
        ascii("Name,Phone,W,H,M,F,P,O,E,C,I,T\r\nAnn,1,2,3,4,5,6,7,a@b,1.2.3.4,1*2*3,9\r\n");
    EXPECT_EQ(kindsOf(*readCsv(twelve, u"x", u',', options(true)).document),
              (std::vector<uint16_t>{kBookNextel}));
    EXPECT_EQ(kindsOf(*readCsv(twelve, u"x", u',', options(false)).document),
              (std::vector<uint16_t>{kBookNextel, kBookAdn, kBookMsisdn, kBookLnd, kBookFdn,
                                     kBookSdn, kBookBdn, kBookSms}));
    const auto two = ascii("Name,Phone\r\nAnn,1\r\n");
    EXPECT_EQ(kindsOf(*readCsv(two, u"x", u',', options(true)).document),
              (std::vector<uint16_t>{kBookAdn}));
}

TEST(CsvOpen, IdenBookKeepsAllElevenValuesThroughCsv) {
    auto doc = std::make_unique<FileDocument>(u"x.csv");
    Category& iden = doc->addCategory(kBookNextel, 30);
    *iden.entry(0) = fullIdenEntry(u"Ann Lee", 1);
    *iden.entry(1) = fullIdenEntry(u"Bo", 12);
    const CsvContent content = writeCsv(*doc, u',', CsvHeaderTexts{}, options());

    const CsvDocument back = readCsv(content.bytes, u"x.csv", u',', options());
    const Category& book = *back.document->category(kBookNextel);
    expectSameValues(*book.entry(0), *iden.entry(0));
    expectSameValues(*book.entry(1), *iden.entry(1));
    // Every value, the one in column 1 included, has its own speed-dial number.
    std::vector<int> numbers;
    for (int slot = 0; slot < 2; ++slot) {
        for (int k = 0; k < kValueCount; ++k) {
            numbers.push_back(book.entry(slot)->recordNumbers[k]);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    for (int i = 0; i < 22; ++i) {
        EXPECT_EQ(numbers[static_cast<size_t>(i)], i + 1);
    }
}

TEST(CsvOpen, IdenColumnsOutsideTheirCharactersOrTheCardsLimitsAreDropped) {
    const auto file = ascii("N,P,W,H,M,F,P,O,E,C,I,T\r\n"
                            "Ann,12ab,call,2,3,4,5,6,a_b@x,10.0.300.1,1*1*1,256\r\n");
    const CsvDocument back = readCsv(file, u"x", u',', options());
    const PhoneBookEntry& e = *back.document->category(kBookNextel)->entry(0);
    EXPECT_EQ(entryValue(e, kValueMain), u"12");
    EXPECT_EQ(entryValue(e, kValueWork), u"");
    EXPECT_EQ(entryValue(e, kValueHome), u"2");
    EXPECT_EQ(entryValue(e, kValueEmail), u"");
    EXPECT_EQ(entryValue(e, kValueChatAddress), u"");
    EXPECT_EQ(entryValue(e, kValuePrivateId), u"1*1*1");
    EXPECT_EQ(entryValue(e, kValueTalkgroup), u"");
    EXPECT_EQ(e.recordNumbers[kValueTalkgroup], 0);
    EXPECT_EQ(back.layoutBook, kBookNextel);
    EXPECT_EQ(back.warnings.size(), 5u); // 12ab, call, a_b@x, 10.0.300.1, 256
}

TEST(CsvOpen, NumbersKeepWhatACardCanStoreAndEveryChangeIsNamed) {
    const auto file = ascii("Name,Phone\r\nAnn,+44p1w2\r\nBob,abc\r\nCy,123\r\n");
    const CsvDocument back = readCsv(file, u"x", u',', options());
    const Category& adn = *back.document->category(kBookAdn);
    EXPECT_EQ(numberAt(adn, 0), u"+44p12");
    EXPECT_EQ(nameAt(adn, 1), u"Bob");
    EXPECT_EQ(numberAt(adn, 1), u"");
    EXPECT_EQ(numberAt(adn, 2), u"123");
    EXPECT_EQ(back.warnings.size(), 2u); // one for Ann's number, one for Bob's
}

TEST(CsvOpen, OrdinaryExtraColumnsBecomeEntriesOnlyWhenTheyAreNumbers) {
    const auto file = ascii("Name,Phone\r\nBob,123,bob@example.org,456\r\nAl,,789\r\n");
    const CsvDocument back = readCsv(file, u"x", u',', options());
    const Category& adn = *back.document->category(kBookAdn);
    EXPECT_EQ(names(adn)[0], u"Bob");
    EXPECT_EQ(nameAt(adn, 1), u"Bob/H");
    EXPECT_EQ(numberAt(adn, 1), u"456");
    EXPECT_EQ(nameAt(adn, 2), u"Al/W");
    EXPECT_EQ(numberAt(adn, 2), u"789");
    EXPECT_TRUE(adn.isEmpty(3));
}

TEST(CsvOpen, FilesFromOtherProgramsImportEveryContact) {
    const auto file = ascii("Name, Phone\nAnn, 123\nBob,\"456\"\n\"Cy \"\"C\"\"\", 789\n");
    const CsvDocument back = readCsv(file, u"x", u',', options());
    const Category& adn = *back.document->category(kBookAdn);
    EXPECT_EQ(back.rows, 3u);
    EXPECT_EQ(nameAt(adn, 0), u"Ann");
    EXPECT_EQ(numberAt(adn, 0), u"123");
    EXPECT_EQ(numberAt(adn, 1), u"456");
    EXPECT_EQ(nameAt(adn, 2), u"Cy \"C\"");
    EXPECT_EQ(numberAt(adn, 2), u"789");
}

TEST(CsvOpen, EmptyAndHeaderOnlyFilesImportNothing) {
    for (std::string_view text : {"", "Name,Phone\r\n", "\r\n\r\n"}) {
        const CsvDocument back = readCsv(ascii(text), u"x", u',', options());
        const Category& adn = *back.document->category(kBookAdn);
        EXPECT_EQ(back.rows, 0u);
        EXPECT_EQ(adn.slotCount(), 300u) << text;
        EXPECT_EQ(adn.lastUsedSlot(), -1) << text;
    }
}

TEST(CsvOpen, BookGrowsForEveryRowAndEveryExtraEntry) {
    PhoneBookFileOptions small = options();
    small.capacities.adn = 2;
    std::string text = "Name,Phone\r\n";
    for (int i = 0; i < 5; ++i) {
        text += "P" + std::to_string(i) + ",1,2,3\r\n";
    }
    const CsvDocument back = readCsv(ascii(text), u"x", u',', small);
    const Category& adn = *back.document->category(kBookAdn);
    EXPECT_EQ(adn.slotCount(), 15u);
    EXPECT_EQ(nameAt(adn, 14), u"P4/H");
}

TEST(CsvOpen, IdenBookGrowsWhenItsSpeedDialNumbersRunOut) {
    PhoneBookFileOptions small = options();
    small.capacities.nextel = 1;
    const auto file = ascii("N,P,W,H,M,F,P,O,E,C,I,T\r\nAnn,1,2,3,4,5,6,7,a@b,1.1.1.1,1*1*1,9\r\n");
    const CsvDocument back = readCsv(file, u"x", u',', small);
    const Category& iden = *back.document->category(kBookNextel);
    EXPECT_EQ(iden.slotCount(), 11u);
    EXPECT_EQ(entryValue(*iden.entry(0), kValueTalkgroup), u"9");
    EXPECT_EQ(iden.entry(0)->recordNumbers[kValueTalkgroup], 11);
}

TEST(CsvOpen, NamelessRowsAreKeptWhateverTheOption) {
    const auto file = ascii("Name,Phone\r\n,123\r\nBob,456\r\n");
    EXPECT_EQ(numberAt(*readCsv(file, u"x", u',', options()).document->category(kBookAdn), 0),
              u"123");
    PhoneBookFileOptions nameless = options();
    nameless.allowEmptyNameContacts = true;
    const CsvDocument back = readCsv(file, u"x", u',', nameless);
    const Category& adn = *back.document->category(kBookAdn);
    EXPECT_EQ(numberAt(adn, 0), u"123");
    EXPECT_EQ(nameAt(adn, 1), u"Bob");
}

TEST(CsvSave, UsimBookKeepsEveryAdditionalValueThroughCsv) {
    struct Value {
        int value;
        const char16_t* text;
    };
    const struct {
        const char* name;
        const char16_t* contact;
        const char16_t* number;
        std::vector<Value> values;
        char16_t separator;
        bool onlyAdn;
    } cases[] = {
        {"every value",
         u"Alice Morgan",
         u"+447700900101",
         {{kValueHome, u"+441632960101"},
          {kValueWork, u"02"},
          {kValueMobile, u"03"},
          {kValueFax, u"04"},
          {kValuePager, u"05"},
          {kValueEmail, u"alice@example.com"},
          {kValuePrivateId, u"a.m@work.example"},
          {kValueOther, u"Ali"}},
         u',',
         true},
        {"quoted fields",
         u"Smith, Anna",
         u"123",
         {{kValueEmail, u"anna@example.org"}, {kValueOther, u"Say \"Hi\"; bye"}},
         u';',
         true},
        {"beside the other books", u"Иван Петров", u"", {{kValueOther, u"Ваня"}}, u',', false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FileDocument doc(u"x.csv");
        Category& usim = doc.addCategory(kBookUsim, 5);
        PhoneBookEntry entry = makeEntry(c.contact, c.number);
        for (const Value& v : c.values) {
            setEntryValue(entry, v.value, v.text);
        }
        *usim.entry(1) = entry;
        const CsvContent content = writeCsv(doc, c.separator, CsvHeaderTexts{}, options(c.onlyAdn));

        const CsvDocument back = readCsv(content.bytes, u"x.csv", c.separator, options(c.onlyAdn));
        EXPECT_EQ(back.layoutBook, kBookUsim);
        const Category* book = back.document->category(kBookUsim);
        ASSERT_NE(book, nullptr);
        expectSameValues(*book->entry(0), entry);
        EXPECT_TRUE(book->isEmpty(1));
    }
    FileDocument doc(u"x.csv");
    *doc.addCategory(kBookUsim, 1).entry(0) = makeEntry(u"A", u"1");
    EXPECT_EQ(asText(writeCsv(doc, u',', CsvHeaderTexts{}, options()).bytes),
              "Name,Phone,\"Number 2\",\"Number 3\",\"Number 4\",\"Number 5\",\"Number 6\","
              "E-mail,\"E-mail 2\",\"Second name\"\r\nA,1,,,,,,,,\r\n");
}
