// The "Save info" line: its fields, and appending it from the card.
#include "CardInfoLine.h"
#include "VirtualCardOps.h"

#include <fstream>
#include <sstream>

namespace pelmora::model::test {
namespace {

using velmet::langText;

const SystemTime kNoon{2026, 3, 0, 7, 9, 5, 0, 0};

SimInfo infoWith(std::u16string_view iccid, std::u16string_view provider,
                 std::u16string_view imsi) {
    SimInfo info{};
    setFieldText(info.iccid, iccid);
    setFieldText(info.serviceProvider, provider);
    setFieldText(info.imsi, imsi);
    return info;
}

TEST(CardInfoLine, FieldsThenDayMonthYearAndTime) {
    const EnglishTexts texts;
    const struct {
        SimInfo info;
        std::u16string number;
        std::u16string line;
    } cases[] = {
        {infoWith(u"8944", u"Demo Mobile", u"23415"), u"+447700900010",
         u"8944,+447700900010,Demo Mobile,23415,07:03:2026 09:05\r\n"},
        // What the card did not give.
        {infoWith(u"", u"", u""), u"", u"n/a,n/a,n/a,n/a,07:03:2026 09:05\r\n"},
        // A card's name neither splits the line nor adds one.
        {infoWith(u"1", u"A, \"B\"\r\nC", u"2"), u"3",
         u"1,3,\"A, \"\"B\"\"C\",2,07:03:2026 09:05\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cardInfoLine(c.info, c.number, kNoon), c.line);
    }
}

std::string fileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class SaveInfo : public VirtualCardOps {};

TEST_F(SaveInfo, TwoSavesAppendTwoLinesOfTheCard) {
    const auto file = tempDir() / "cards.csv";
    { std::ofstream(file) << "earlier\r\n"; }
    user.pins = {u"1234"};
    ASSERT_TRUE(commands().saveInfo(card, file));
    ASSERT_TRUE(commands().saveInfo(card, file)); // the card stays open: no second PIN
    const std::string text = fileText(file);
    EXPECT_EQ(text.rfind("earlier\r\n", 0), 0u);
    const std::string line = "8944150012345678217,+447700900001,Demo Mobile,234157300481516,";
    const size_t first = text.find(line);
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_NE(text.find(line, first + 1), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_EQ(user.asked, std::vector<std::string>{"pin1 3"});
    EXPECT_EQ(user.stops, 2); // the reader refresh kept off the card each time
    EXPECT_EQ(user.restarts, 2);
}

TEST_F(SaveInfo, PropertiesOfTheCardAndOfABook) {
    user.pins = {u"1234"};
    SimInfo info{};
    ASSERT_TRUE(commands().readProperties(card, -1, info));
    EXPECT_EQ(fieldText(info.iccid), u"8944150012345678217");
    ASSERT_TRUE(commands().readProperties(card, kBookFdn, info));
    EXPECT_EQ(info.bookAttributes[5], 2); // updated with PIN2
    EXPECT_EQ(info.bookAttributes[0] / info.bookAttributes[3], 10);
    EXPECT_EQ(user.stops, 2);
}

TEST_F(SaveInfo, AnEmptyOwnNumberBookIsNotAvailable) {
    insert(CardProfile().records("3F00/7F10/6F40", {}));
    const auto file = tempDir() / "cards.csv";
    user.pins = {u"1234"};
    ASSERT_TRUE(commands().saveInfo(card, file));
    EXPECT_EQ(fileText(file).rfind("8944150012345678217,n/a,Demo Mobile,", 0), 0u)
        << fileText(file);
}

TEST_F(SaveInfo, TheLineJoinsAUtf16FileInUtf16AndNeverAPhoneBookFile) {
    const auto utf16 = tempDir() / "cards.csv";
    const auto book = tempDir() / "book.phn";
    { std::ofstream(utf16, std::ios::binary) << std::string("\xFF\xFEx\0\r\0\n\0", 8); }
    { std::ofstream(book, std::ios::binary) << "[6F3A]\r\nn1=A\r\nt1=1\r\n"; }
    user.pins = {u"1234"};
    ASSERT_TRUE(commands().saveInfo(card, utf16));
    EXPECT_EQ(fileText(utf16).substr(8, 4), std::string("8\0"
                                                        "9\0",
                                                        4)); // ICCID 89...
    EXPECT_EQ(fileText(utf16).size() % 2, 0u);
    EXPECT_FALSE(commands().saveInfo(card, book));
    EXPECT_EQ(fileText(book), "[6F3A]\r\nn1=A\r\nt1=1\r\n");
}

TEST_F(SaveInfo, NothingIsWrittenWithoutACardOrAFile) {
    user.pins = {u"1234"};
    EXPECT_FALSE(commands().saveInfo(card, tempDir() / "no-such-folder" / "cards.csv"));
    sim().removeCard(0);
    calls.close(card);
    const auto file = tempDir() / "cards.csv";
    EXPECT_FALSE(commands().saveInfo(card, file));
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace pelmora::model::test
