// .vcf files: contacts as phones and address books write them, our own
// export read back, and files that are no vCard files.

#include "FileTestSupport.h"

#include "CodePage.h"
#include "LangText.h"
#include "VcardReader.h"
#include "VcardWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace pelmora::model;
using namespace pelmora::model::test;

namespace {

class Vcard : public ::testing::Test {
protected:
    void SetUp() override {
        pelmora::velmet::useLanguage(
            std::make_shared<pelmora::velmet::LanguageFile>(pelmora::velmet::LanguageFile::load(
                std::filesystem::path(PELMORA_SOURCE_DATA) / "lang.ini")),
            u"en");
    }
    void TearDown() override { pelmora::velmet::useLanguage(nullptr, u"en"); }

    static VcardDocument read(std::string_view text) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
        return readVcard(std::span<const uint8_t>(bytes, text.size()), u"contacts.vcf",
                         PhoneBookFileOptions{});
    }
    static std::string written(const Document& document, VcardVersion version) {
        const std::vector<uint8_t> bytes = writeVcard(document, version).bytes;
        return std::string(bytes.begin(), bytes.end());
    }
};

std::vector<std::pair<std::u16string, std::u16string>> usedEntries(const Category& book) {
    std::vector<std::pair<std::u16string, std::u16string>> out;
    for (const PhoneBookEntry& entry : book.entries()) {
        if (!isEmptyRecord(entry)) {
            out.emplace_back(fieldText(entry.name), entryValue(entry, kValueMain));
        }
    }
    return out;
}

struct PhoneCase {
    const char* title;
    const char* text;
    std::vector<std::pair<std::u16string, std::u16string>> expected;
};

class PhoneFiles : public Vcard, public ::testing::WithParamInterface<PhoneCase> {};

TEST_P(PhoneFiles, GiveOneEntryPerNumber) {
    const VcardDocument result = read(GetParam().text);
    ASSERT_TRUE(result.document) << pelmora::platform::toUtf8(result.error);
    EXPECT_EQ(usedEntries(*result.document->category(kBookAdn)), GetParam().expected);
    EXPECT_EQ(result.document->category(kBookNextel), nullptr);
    EXPECT_TRUE(result.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Vcard, PhoneFiles,
    ::testing::Values(
        PhoneCase{"QuotedPrintableUtf8OverSoftBreaks",
                  "BEGIN:VCARD\r\nVERSION:2.1\r\n"
                  "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=D0=9F=D0=B5=D1=82=D1=80=D0=BE=D0=B2;"
                  "=D0=98=D0=B2=D0=B0=\r\n=D0=BD;;;\r\n"
                  "TEL;CELL;PREF:+79161234567\r\nTEL;HOME:+74951234567\r\nEND:VCARD\r\n",
                  {{u"Иван Петров", u"+79161234567"}, {u"Иван Петров/H", u"+74951234567"}}},
        PhoneCase{"Latin1CharsetAndFn",
                  "BEGIN:VCARD\nVERSION:2.1\nFN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:"
                  "J=FCrgen\nN:Sch;J;;;\nTEL;WORK;VOICE:030 1234\nEND:VCARD\n",
                  {{u"J\u00fcrgen", u"030 1234"}}},
        PhoneCase{"Version3TypesFoldingAndEscapes",
                  "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Lee\\, Ann \\; C\r\n o.\r\n"
                  "TEL;TYPE=CELL,VOICE:+1 (555) 0100\r\nTEL;TYPE=\"WORK,FAX\":555-0101\r\n"
                  "TEL;TYPE=pager:555-0102\r\nTEL:*#06#\r\n"
                  "item1.X-ABLABEL:Gym\r\nPHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQ\r\n"
                  " AAAQABAAD\r\nEND:VCARD\r\n",
                  {{u"Lee, Ann ; Co.", u"+1 (555) 0100"},
                   {u"Lee, Ann ; Co./F", u"555-0101"},
                   {u"Lee, Ann ; Co./P", u"555-0102"},
                   {u"Lee, Ann ; Co./O", u"*#06#"}}},
        PhoneCase{
            "Version4TelUris",
            "BEGIN:VCARD\nVERSION:4.0\nN:Doe;John;Q.;Dr.;\nFN:\n"
            "TEL;VALUE=uri;TYPE=\"voice,home\":tel:+1.555.0100;ext=12\n"
            "TEL;VALUE=uri:tel:*21%23\nEMAIL:j@x.org\nEND:VCARD\n\n"
            "BEGIN:VCARD\nVERSION:4.0\nTEL:112\nEND:VCARD\n",
            {{u"Dr. John Q. Doe", u"+15550100"}, {u"Dr. John Q. Doe/O", u"*21#"}, {u"", u"112"}}}),
    [](const auto& info) { return std::string(info.param.title); });

TEST_F(Vcard, ExportIsFoldedEscapedAndReadsBackInBothVersions) {
    FileDocument document(u"d");
    Category& iden = document.addCategory(kBookNextel, 1);
    *iden.entry(0) = fullIdenEntry(u"Ann Lee", 1);
    Category& adn = document.addCategory(kBookAdn, 3);
    const std::u16string longName = u"Ünïcödé, Name; with \\ " + std::u16string(60, u'ж');
    *adn.entry(1) = makeEntry(longName, u"+44p123#");
    for (VcardVersion version : {VcardVersion::V3, VcardVersion::V4}) {
        const std::string text = written(document, version);
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
            EXPECT_LE(end - start, 75u) << text.substr(start, end - start);
        }
        EXPECT_NE(
            text.find("TEL;TYPE=" + std::string(version == VcardVersion::V4 ? "cell" : "CELL") +
                      ":555-4\r\n"),
            std::string::npos);
        EXPECT_NE(text.find("FN:\xC3\x9Cn\xC3\xAF"
                            "c\xC3\xB6"
                            "d\xC3\xA9\\, Name\\; with \\\\ "),
                  std::string::npos);

        const VcardDocument back = read(text);
        ASSERT_TRUE(back.document);
        EXPECT_TRUE(back.warnings.empty());
        const Category& idenBack = *back.document->category(kBookNextel);
        expectSameValues(*idenBack.entry(0), *iden.entry(0));
        EXPECT_EQ(
            usedEntries(*back.document->category(kBookAdn)),
            (std::vector<std::pair<std::u16string, std::u16string>>{{longName, u"+44p123#"}}));
    }
}

// A USIM contact: value k of the book holds texts[k] where given.
struct UsimCase {
    const char* title;
    std::vector<std::pair<int, std::u16string>> values;
};

class UsimContacts : public Vcard, public ::testing::WithParamInterface<UsimCase> {};

TEST_P(UsimContacts, ReadBackWithEveryNumberEmailAndSecondName) {
    FileDocument document(u"d");
    Category& usim = document.addCategory(kBookUsim, 2);
    PhoneBookEntry entry = makeEntry(u"Renée Dubois", u"+33199001234");
    for (const auto& [k, text] : GetParam().values) {
        setEntryValue(entry, k, text);
    }
    *usim.entry(0) = entry;
    for (VcardVersion version : {VcardVersion::V3, VcardVersion::V4}) {
        const VcardDocument back = read(written(document, version));
        ASSERT_TRUE(back.document);
        EXPECT_TRUE(back.warnings.empty());
        const Category* book = back.document->category(kBookUsim);
        ASSERT_NE(book, nullptr);
        expectSameValues(*book->entry(0), entry);
        EXPECT_TRUE(usedEntries(*back.document->category(kBookAdn)).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Vcard, UsimContacts,
    ::testing::Values(
        UsimCase{"NameAndNumberOnly", {}},
        UsimCase{"EveryValue",
                 {{2, u"+441632960101"},
                  {3, u"02"},
                  {4, u"03"},
                  {5, u"04"},
                  {6, u"05"},
                  {kValueEmail, u"renee_d@example.fr"},
                  {kValuePrivateId, u"r.d@work.example"},
                  {kValueOther, u"Néné; la \\ grande"}}},
        UsimCase{"EmailAndSecondNameWithoutFurtherNumbers",
                 {{kValueEmail, u"a@b.example"}, {kValueOther, u"Ваня"}}}),
    [](const auto& info) { return std::string(info.param.title); });

TEST_F(Vcard, WhatTheBooksCannotHoldIsReportedByLine) {
    const std::string longName(300, 'n');
    const VcardDocument result =
        read("BEGIN:VCARD\nFN:" + longName +
             "\nTEL:0800 CALL NOW\nTEL:+1\nEND:VCARD\n"
             "BEGIN:VCARD\nFN:Web\nEMAIL:first-last@x.org\nX-PELMORA-BOOK:IDEN\nEND:VCARD\n");
    ASSERT_TRUE(result.document);
    ASSERT_EQ(result.warnings.size(), 3u);
    EXPECT_EQ(result.warnings[0].substr(0, 26), u"line 1: the name \"nnnnnnnn");
    EXPECT_EQ(result.warnings[1],
              u"line 3: \"0800 CALL NOW\" is no number a SIM can dial; it was left out");
    EXPECT_EQ(result.warnings[2],
              u"line 8: \"first-last@x.org\" is no value an iDEN entry can hold; it was left out");
    EXPECT_EQ(numberAt(*result.document->category(kBookAdn), 0), u"+1");
    EXPECT_EQ(nameAt(*result.document->category(kBookNextel), 0), u"Web");
}

TEST_F(Vcard, Utf16FilesWithAByteOrderMarkAreRead) {
    std::string text("\xFF\xFE");
    for (char c : std::string_view("BEGIN:VCARD\r\nFN:Ann\r\nTEL:1\r\nEND:VCARD\r\n")) {
        text += c;
        text += '\0';
    }
    const VcardDocument result = read(text);
    ASSERT_TRUE(result.document);
    EXPECT_EQ(usedEntries(*result.document->category(kBookAdn)),
              (std::vector<std::pair<std::u16string, std::u16string>>{{u"Ann", u"1"}}));
}

struct BrokenCase {
    const char* title;
    std::string text;
    const char16_t* error;
};

class BrokenFiles : public Vcard, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenFiles, AreRefusedNamingTheLine) {
    const VcardDocument result = read(GetParam().text);
    EXPECT_EQ(result.document, nullptr);
    EXPECT_EQ(result.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Vcard, BrokenFiles,
    ::testing::Values(
        BrokenCase{"MissingEnd", "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\nTEL:1\n",
                   u"line 4: the vCard that begins here has no END:VCARD"},
        BrokenCase{"EndWithoutBegin", "FN:A\n",
                   u"line 1: not a line of a vCard (NAME:value "
                   u"between BEGIN:VCARD and END:VCARD)"},
        BrokenCase{"StrayEnd", "BEGIN:VCARD\nEND:VCARD\nEND:VCARD\n",
                   u"line 3: END:VCARD without BEGIN:VCARD"},
        BrokenCase{"Binary", std::string("BEGIN:VCARD\nFN:A\n\x89PNG\0\x1A", 22),
                   u"line 3: binary data, no vCard text"},
        BrokenCase{"NotUtf8", "BEGIN:VCARD\nFN:\xC3(\nEND:VCARD\n",
                   u"line 2: the text is not valid UTF-8"},
        BrokenCase{"UnknownCharset", "BEGIN:VCARD\nFN;CHARSET=KOI9:x\nEND:VCARD\n",
                   u"line 2: the character set \"KOI9\" is unknown"},
        BrokenCase{"NoColon", "BEGIN:VCARD\nFN A\nEND:VCARD\n",
                   u"line 2: not a line of a vCard (NAME:value between BEGIN:VCARD and END:VCARD)"},
        BrokenCase{"Empty", "\r\n", u"line 1: the file holds no vCard"}),
    [](const auto& info) { return std::string(info.param.title); });

// Every mutation of a sample either reads or is refused with a line named;
// the sanitizer build checks that no byte is read out of bounds.
TEST_F(Vcard, MutatedFilesAreReadOrRefusedWithALine) {
    const std::string sample =
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=D0=9F;=\r\n"
        "=D0=98;;;\r\nTEL;TYPE=\"CELL,VOICE\":tel:+1%23\r\nEMAIL:a@b.c\r\n"
        "X-PELMORA-BOOK:IDEN\r\nFN:x\\,y\r\n z\r\nEND:VCARD\r\n";
    std::mt19937 random(11);
    for (int round = 0; round < 1000; ++round) {
        std::string text = sample;
        for (int change = 0; change < 1 + round % 4; ++change) {
            const size_t at = random() % text.size();
            switch (random() % 3) {
            case 0:
                text[at] = static_cast<char>(random());
                break;
            case 1:
                text.erase(at, 1 + random() % 8);
                break;
            default:
                text.insert(at, sample.substr(random() % sample.size(), random() % 12));
            }
            if (text.empty()) {
                text = "B";
            }
        }
        const VcardDocument result = read(text);
        EXPECT_EQ(result.document == nullptr, result.error.starts_with(u"line ")) << text;
    }
}

} // namespace
