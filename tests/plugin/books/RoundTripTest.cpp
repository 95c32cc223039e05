// Every book of the demo card read, written back and read again through the
// virtual SIM: the same entries, and the same bytes, whatever scheme the card
// wrote its names in.

#include "BookCardFixture.h"

#include "card/SIMCard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace brontel::test {
namespace {

struct Book {
    const char* name;
    int efId;
    FileId directory;
    std::vector<FileId> files; // the book's files and the extension file
};

class RoundTrip : public BookCard, public ::testing::WithParamInterface<Book> {};

bool sameEntries(const std::vector<PhoneBookEntry>& a, const std::vector<PhoneBookEntry>& b) {
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(PhoneBookEntry)) == 0;
}

TEST_P(RoundTrip, GivesTheSameEntriesAndBytes) {
    const Book& book = GetParam();
    // SDN is administrative on the demo card; this copy lets PIN1 write it.
    use(withKey(cardProfile("demo"), "3F00/7F10/6F49", "Update", "CHV1"), true);
    std::map<uint16_t, std::vector<std::vector<uint8_t>>> before;
    for (FileId f : book.files) {
        before[f.value] = records(book.directory, f);
    }
    BookRead first = read(book.efId);
    ASSERT_EQ(first.result, 1);
    ASSERT_EQ(write(book.efId, first.entries), 1) << lastError();
    const BookRead second = read(book.efId);
    ASSERT_EQ(second.result, 1);
    EXPECT_TRUE(sameEntries(first.entries, second.entries));
    for (size_t i = 0; i < first.entries.size() && !sameEntries(first.entries, second.entries);
         ++i) {
        EXPECT_EQ(nameOf(first.entries[i]), nameOf(second.entries[i])) << "entry " << i + 1;
        EXPECT_EQ(valueOf(first.entries[i], 0), valueOf(second.entries[i], 0)) << "entry " << i + 1;
    }
    for (FileId f : book.files) {
        const auto after = records(book.directory, f);
        ASSERT_EQ(after.size(), before[f.value].size());
        for (size_t r = 0; r < after.size(); ++r) {
            EXPECT_EQ(hexText(after[r]), hexText(before[f.value][r]))
                << std::hex << f.value << std::dec << " record " << r + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    DemoCard, RoundTrip,
    ::testing::Values(Book{"ADN", 0x6F3A, files::kTelecom, {files::kAdn, files::kExt1}},
                      Book{"FDN", 0x6F3B, files::kTelecom, {files::kFdn, files::kExt2}},
                      Book{"MSISDN", 0x6F40, files::kTelecom, {files::kMsisdn, files::kExt1}},
                      Book{"LND", 0x6F44, files::kTelecom, {files::kLnd, files::kExt1}},
                      Book{"SDN", 0x6F49, files::kTelecom, {files::kSdn, files::kExt3}},
                      Book{"BDN", 0x6F4D, files::kTelecom, {files::kBdn, files::kExt4}},
                      Book{"Iden",
                           0,
                           files::kIden,
                           {files::kIdenValues1, files::kIdenValues2, files::kIdenValues3,
                            files::kIdenEmail}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace brontel::test
