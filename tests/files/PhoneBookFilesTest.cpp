#include "FileTestSupport.h"

#include "PhoneBookFiles.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace pelmora::model;
using namespace pelmora::model::test;
using pelmora::test::TempFolder;

namespace {

std::unique_ptr<FileDocument> sampleDocument(size_t entries = 3) {
    auto doc = std::make_unique<FileDocument>(u"New 1");
    Category& adn = doc->addCategory(kBookAdn, static_cast<uint32_t>(entries));
    for (size_t i = 0; i < entries; ++i) {
        *adn.entry(static_cast<int>(i)) =
            makeEntry(u"Name " + std::u16string(1, u'A' + i % 26), u"123");
    }
    adn.markChanged();
    return doc;
}

SaveOutcome save(Document& doc, const std::filesystem::path& file) {
    return saveDocument(doc, file, u',', CsvHeaderTexts{}, PhoneBookFileOptions{});
}

} // namespace

TEST(PhoneBookFiles, CsvExtensionInAnyCaseIsCsvBothWays) {
    for (const char* name : {"BOOK.CSV", "book.Csv", "book.csv"}) {
        TempFolder folder;
        auto doc = sampleDocument();
        ASSERT_EQ(save(*doc, folder / name).error, std::nullopt);
        EXPECT_EQ(pelmora::test::readBytes(folder / name)[0], 'N') << name;
        OpenOutcome opened = openDocument(folder / name, u',', PhoneBookFileOptions{});
        ASSERT_TRUE(opened.document) << name;
        EXPECT_EQ(nameAt(*opened.document->category(kBookAdn), 0), u"Name A") << name;
    }
    EXPECT_FALSE(isCsvFile("book.csv.phn"));
    EXPECT_FALSE(isCsvFile("csv"));
}

TEST(PhoneBookFiles, SaveMarksWrittenBooksAndNamesTheFileDocument) {
    TempFolder folder;
    auto doc = sampleDocument();
    Category& sms = doc->addCategory(kBookSms, 1);
    *sms.message(0) = makeMessage(u"hello");
    sms.markChanged();

    ASSERT_EQ(save(*doc, folder / "a.csv").error, std::nullopt);
    EXPECT_TRUE(doc->category(kBookAdn)->unchanged());
    EXPECT_FALSE(sms.unchanged()) << "messages are not in a .csv";
    EXPECT_EQ(doc->name(), documentName(folder / "a.csv"));

    ASSERT_EQ(save(*doc, folder / "a.phn").error, std::nullopt);
    EXPECT_TRUE(sms.unchanged());
    OpenOutcome opened = openDocument(folder / "a.phn", u',', PhoneBookFileOptions{});
    ASSERT_TRUE(opened.document);
    EXPECT_EQ(opened.document->categories().size(), 2u);
}

TEST(PhoneBookFiles, FailedSaveLeavesTheOldFileByteIdenticalAndIsReported) {
    TempFolder folder;
    for (const char* name : {"book.phn", "book.csv"}) {
        auto small = sampleDocument(1);
        ASSERT_EQ(save(*small, folder / name).error, std::nullopt);
        const std::vector<uint8_t> before = pelmora::test::readBytes(folder / name);
        // A file-size limit makes the write stop short, as a full disk would.
        const bool reported = pelmora::test::inChild([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(before.size() + 16),
                               static_cast<rlim_t>(before.size() + 16)};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
                return false;
            }
            auto big = sampleDocument(500);
            const SaveOutcome outcome = save(*big, folder / name);
            return outcome.error.has_value() && !big->category(kBookAdn)->unchanged() &&
                   big->name() == u"New 1";
        });
        EXPECT_TRUE(reported) << name;
        EXPECT_EQ(pelmora::test::readBytes(folder / name), before) << name;
    }
    EXPECT_EQ(folder.entries().size(), 2u) << "no temporary file is left behind";
}

TEST(PhoneBookFiles, OpeningWhatIsNotThereOrNotAPhoneBookFails) {
    TempFolder folder;
    EXPECT_FALSE(openDocument(folder / "missing.phn", u',', PhoneBookFileOptions{}).document);
    pelmora::test::writeBytes(folder / "other.phn", "[Options]\r\nx=1\r\n");
    OpenOutcome opened = openDocument(folder / "other.phn", u',', PhoneBookFileOptions{});
    EXPECT_FALSE(opened.document);
    EXPECT_FALSE(opened.error.empty());
}
