// The iDEN phone book: value records numbered across the three value files,
// the value encodings, e-mail continuation chains, and calls that fail.

#include "BookCardFixture.h"

#include "FieldText.h"
#include "card/SIMCard.h"

#include <gtest/gtest.h>

namespace brontel::test {
namespace {

using IdenBook = BookCard;

const std::string kValues1 = "3F00/7F31/6F2A";
const std::string kValues2 = "3F00/7F31/6F2B";
const std::string kEmail = "3F00/7F31/6F26";

PhoneBookEntry contact(std::u16string_view name) {
    return entry(name);
}

void setValue(PhoneBookEntry& e, int value, std::u16string_view text, int recordNumber) {
    const PhoneBookValueField field = phoneBookValue(e, value);
    codec::setFieldText(field.text, field.capacity, text);
    e.recordNumbers[value] = recordNumber;
}

// A value record of 56 bytes: the name's 17 bytes, then the 39 fixed ones.
std::vector<uint8_t> valueRecord(std::string_view name, std::string_view fixed) {
    std::vector<uint8_t> bytes = hex(name);
    bytes.resize(17, 0);
    const std::vector<uint8_t> tail = hex(fixed);
    EXPECT_EQ(tail.size(), 39u);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

// The fixed part around a value: length, TON/NPI, ten value bytes, 0, the
// continuation, the type, nine zeros, 80, five zeros, the contact, seven zeros.
std::string fixedPart(std::string_view lengthAndTon, std::string_view value,
                      std::string_view continuation, std::string_view type,
                      std::string_view contactNumber) {
    std::vector<uint8_t> v = hex(value);
    v.resize(10, 0);
    return std::string(lengthAndTon) + hexText(v) + "00" + std::string(continuation) +
           std::string(type) + "000000000000000000" + "80" + "0000000000" +
           std::string(contactNumber) + "00000000000000";
}

class BlankIdenBook : public IdenBook {
protected:
    void SetUp() override {
        IdenBook::SetUp();
        use(cardProfile("blank"));
    }
    std::vector<std::vector<uint8_t>> valueFile(FileId id) { return records(files::kIden, id); }
    size_t occupiedContinuations() {
        size_t n = 0;
        for (const auto& record : records(files::kIden, files::kIdenEmail)) {
            n += record[0] != 0;
        }
        return n;
    }
};

TEST_F(IdenBook, SizingCallCountsTheRecordsOfEveryValueFile) {
    PhoneBookRequest request{};
    ASSERT_EQ(get_phone_book(&card, 0, &request), 1);
    EXPECT_EQ(request.count, 60);
    EXPECT_EQ(request.fileSize, 3 * 20 * 56);
    EXPECT_EQ(request.fileType, 4);
    EXPECT_EQ(request.structure, 1);
    EXPECT_EQ(request.recordLength, 56);
    EXPECT_EQ(request.readCondition, 1);
    EXPECT_EQ(request.updateCondition, 1);
    EXPECT_EQ(commandCount(0xB2), 0u);
}

TEST_F(IdenBook, ReadsEveryValueOfEveryContact) {
    const BookRead book = read(0);
    const std::vector<ProgressCall>& progress = readProgress();
    ASSERT_EQ(progress.size(), 60u);
    EXPECT_EQ(progress[3].index, 4);
    EXPECT_EQ(progress[3].total, 60);
    EXPECT_EQ(progress[3].name, u"Dispatch Center");
    EXPECT_EQ(progress[3].value, u"operations-and-logistics@fleet.example.net");
    EXPECT_EQ(progress[59].name, u"");
    ASSERT_EQ(book.result, 1);
    ASSERT_EQ(book.count, 60);
    const PhoneBookEntry& dispatch = book.entries[0];
    EXPECT_EQ(nameOf(dispatch), u"Dispatch Center");
    EXPECT_EQ(valueOf(dispatch, kValueMain), u"+12025550100");
    EXPECT_EQ(valueOf(dispatch, kValuePrivateId), u"100*20*300");
    EXPECT_EQ(valueOf(dispatch, kValueTalkgroup), u"12");
    EXPECT_EQ(valueOf(dispatch, kValueEmail), u"operations-and-logistics@fleet.example.net");
    EXPECT_EQ(dispatch.recordNumbers[kValueMain], 1);
    EXPECT_EQ(dispatch.recordNumbers[kValuePrivateId], 2);
    EXPECT_EQ(dispatch.recordNumbers[kValueTalkgroup], 3);
    EXPECT_EQ(dispatch.recordNumbers[kValueEmail], 4);

    const PhoneBookEntry& maria = book.entries[1];
    EXPECT_EQ(valueOf(maria, kValueEmail), u"maria@example.com");
    EXPECT_EQ(valueOf(maria, kValueChatAddress), u"10.0.0.1");
    // Global numbers run on through the second and third value files.
    EXPECT_EQ(nameOf(book.entries[2]), u"Tom Becker");
    EXPECT_EQ(book.entries[2].recordNumbers[kValueWork], 21);
    EXPECT_EQ(valueOf(book.entries[3], kValueEmail), u"team7@ex.io");
    EXPECT_EQ(nameOf(book.entries[4]), u"Ana");
    EXPECT_EQ(book.entries[4].recordNumbers[kValueMobile], 45);
    EXPECT_EQ(nameOf(book.entries[5]), u"");
}

TEST_F(BlankIdenBook, ThreeLetterNameWithAMobileNumberInRecordFive) {
    std::vector<PhoneBookEntry> contacts{contact(u"Ann")};
    setValue(contacts[0], kValueMobile, u"+447700900123", 5);
    ASSERT_EQ(write(0, contacts), 1);
    const auto values = valueFile(files::kIdenValues1);
    EXPECT_EQ(hexText(values[4]),
              hexText(valueRecord("416E6E",
                                  fixedPart("0791", "447700091032FFFFFFFF", "00", "04", "0001"))));
    for (size_t i = 0; i < values.size(); ++i) {
        if (i != 4) {
            EXPECT_EQ(values[i], std::vector<uint8_t>(56, 0)) << "record " << i + 1;
        }
    }
    const BookRead book = read(0);
    EXPECT_EQ(nameOf(book.entries[0]), u"Ann");
    EXPECT_EQ(valueOf(book.entries[0], kValueMobile), u"+447700900123");
    EXPECT_EQ(book.entries[0].recordNumbers[kValueMobile], 5);
}

struct ValueCase {
    const char* name;
    int value;
    std::u16string text;
    std::string fixed; // lengthAndTon + value bytes
    std::u16string readBack;
    bool stored;
};

class IdenValue : public BlankIdenBook, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(IdenValue, IsStoredAndReadBack) {
    const ValueCase& c = GetParam();
    std::vector<PhoneBookEntry> contacts{contact(u"Bo")};
    setValue(contacts[0], c.value, c.text, 1);
    EXPECT_EQ(write(0, contacts), c.stored ? 1 : 0);
    if (!c.stored) {
        EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);
    }
    char type[3];
    std::snprintf(type, sizeof type, "%02X", c.value);
    EXPECT_EQ(hexText(valueFile(files::kIdenValues1)[0]),
              hexText(valueRecord(
                  "426F", fixedPart(c.fixed.substr(0, 4), c.fixed.substr(4), "00", type, "0001"))));
    EXPECT_EQ(valueOf(read(0).entries[0], c.value), c.readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Values, IdenValue,
    ::testing::Values(
        // Urban class 0, fleet class 1: urban in bits 34..25, fleet 24..18, member 17..0.
        ValueCase{"PrivateId", kValuePrivateId, u"100*20*300", "FF0008C850012C", u"100*20*300",
                  true},
        ValueCase{"UrbanNumberTooLarge", kValuePrivateId, u"1048576*1*1", "FF000000000000",
                  u"0*0*0", false},
        ValueCase{"ChatAddress", kValueChatAddress, u"10.0.0.1", "FF000A000001", u"10.0.0.1", true},
        ValueCase{"ChatAddressPartTooLarge", kValueChatAddress, u"10.0.0.256", "FF0000000000",
                  u"0.0.0.0", false},
        ValueCase{"Talkgroup", kValueTalkgroup, u"200", "FF00000000C8", u"200", true},
        ValueCase{"TalkgroupTooLarge", kValueTalkgroup, u"256", "FF0000000000", u"0", false},
        ValueCase{"NumberWithFormatting", kValueHome, u"+1 (202) 555-0100",
                  "0791"
                  "2120550501F0FFFFFFFF",
                  u"+12025550100", true},
        ValueCase{"NineCharacterEmail", kValueEmail, u"a@b.co.uk",
                  "FF00"
                  "6140622E636F2E756B",
                  u"a@b.co.uk", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BlankIdenBook, LongEmailChainsAreWrittenReadAndRewrittenWithoutLeaking) {
    const std::u16string addresses[] = {
        u"first.long.address.with.three.continuations@subdomain.example-company.co.uk",
        u"second.long.address.with.three.continuations@subdomain.example-company.org",
        u"third.address@example.com",
        u"fourth.long.address.with.three.continuations@subdomain.example-company.net",
    };
    for (int round = 0; round < 3; ++round) {
        for (const std::u16string& address : addresses) {
            std::vector<PhoneBookEntry> contacts{contact(u"Mail")};
            setValue(contacts[0], kValueEmail, address, 7);
            ASSERT_EQ(write(0, contacts), 1) << "round " << round;
            const BookRead book = read(0);
            ASSERT_EQ(book.result, 1);
            EXPECT_EQ(valueOf(book.entries[0], kValueEmail), address);
            const size_t chain = address.size() > 72 ? 3 : address.size() > 10 ? 1 : 0;
            EXPECT_EQ(occupiedContinuations(), chain) << "round " << round;
        }
    }
    // The last address's chain: E - 1 text bytes per record, the last byte linking on.
    const auto email = records(files::kIden, files::kIdenEmail);
    std::string text;
    size_t links = 0;
    for (uint8_t id = valueFile(files::kIdenValues1)[6][56 - 26]; id != 0; id = email[id - 1][31]) {
        ASSERT_LE(id, 10);
        ASSERT_LT(++links, 4u);
        text.append(email[id - 1].begin(), email[id - 1].begin() + 31);
    }
    EXPECT_EQ(links, 3u);
    const std::string rest = "g.address.with.three.continuations@subdomain.example-company.net";
    EXPECT_EQ(text, rest + std::string(3 * 31 - rest.size(), '\0'));
}

TEST_F(BlankIdenBook, EmailCutWhenTheContinuationFileIsFullIsReported) {
    use(withKey(cardProfile("blank"), kEmail, "Records", "2"));
    const std::u16string address =
        u"first.long.address.with.three.continuations@subdomain.example-company.co.uk";
    std::vector<PhoneBookEntry> contacts{contact(u"Mail")};
    setValue(contacts[0], kValueEmail, address, 1);
    EXPECT_EQ(write(0, contacts), 0);
    EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);
    EXPECT_EQ(valueOf(read(0).entries[0], kValueEmail), address.substr(0, 72));
}

TEST_F(IdenBook, ChainWalksEndAtLoopsAndOutsideTheFile) {
    const std::string piece = "6162636465666768696A6B6C6D6E6F707172737475767778797A3031323334";
    std::string profile = cardProfile("demo");
    // Dispatch Center's address continues in record 1, which loops back through 2.
    profile = withKey(profile, kEmail, "1", piece + "02");
    profile = withKey(profile, kEmail, "2", piece + "01");
    // Maria's continues in record 3, which links to record 48 of ten.
    profile = withKey(profile, kEmail, "3", piece + "30");
    use(profile);
    const BookRead book = read(0);
    EXPECT_EQ(book.result, 1);
    const std::u16string text = u"abcdefghijklmnopqrstuvwxyz01234";
    EXPECT_EQ(valueOf(book.entries[0], kValueEmail), u"operations" + text + text);
    EXPECT_EQ(valueOf(book.entries[1], kValueEmail), u"maria@exam" + text);
}

TEST_F(IdenBook, ContactsBeyondTheArrayAndUnknownTypesAreSkipped) {
    std::string profile = cardProfile("demo");
    // Contact 70 of a 60-record book, and a value type 11.
    profile = withKey(profile, kValues1, "9",
                      profileHex(valueRecord("58", fixedPart("0391", "21F3", "00", "00", "0046"))));
    profile = withKey(profile, kValues1, "10",
                      profileHex(valueRecord("59", fixedPart("0391", "21F3", "00", "0B", "0006"))));
    use(profile);
    const BookRead book = read(0);
    EXPECT_EQ(book.result, 1);
    EXPECT_EQ(nameOf(book.entries[5]), u"");
}

TEST_F(IdenBook, WriteFollowsTheRecordNumbersOfTheArray) {
    std::vector<PhoneBookEntry> contacts{contact(u"First"), contact(u"Second")};
    setValue(contacts[0], kValueHome, u"1", 21);
    setValue(contacts[1], kValueWork, u"2", 21); // the first contact keeps record 21
    setValue(contacts[1], kValueFax, u"3", 60);
    contacts[1].recordNumbers[11] = 30; // the speed-dial-group element has no record
    ASSERT_EQ(write(0, contacts), 1);
    const BookRead book = read(0);
    EXPECT_EQ(valueOf(book.entries[0], kValueHome), u"1");
    EXPECT_EQ(book.entries[0].recordNumbers[kValueHome], 21);
    EXPECT_EQ(valueOf(book.entries[1], kValueWork), u"");
    EXPECT_EQ(valueOf(book.entries[1], kValueFax), u"3");
    EXPECT_EQ(book.entries[1].recordNumbers[kValueFax], 60);
    EXPECT_EQ(records(files::kIden, files::kIdenValues2)[9], std::vector<uint8_t>(56, 0));
    // Every other record is free now.
    EXPECT_EQ(records(files::kIden, files::kIdenValues1)[0], std::vector<uint8_t>(56, 0));
}

TEST_F(IdenBook, FailedReadsAreReportedAndTheOthersStillRead) {
    addFault("A0B2#2=6F00");
    const BookRead book = read(0);
    EXPECT_EQ(book.result, 0);
    EXPECT_EQ(lastError(), -18);
    EXPECT_EQ(valueOf(book.entries[0], kValuePrivateId), u"");
    EXPECT_EQ(valueOf(book.entries[0], kValueTalkgroup), u"12");
    EXPECT_EQ(nameOf(book.entries[4]), u"Ana");
}

TEST_F(IdenBook, FailedUpdatesAreReportedTheOthersStillWrittenAndNoChainFreed) {
    BookRead book = read(0);
    ASSERT_EQ(book.result, 1);
    setValue(book.entries[0], kValueEmail, u"ops@x.org", 4); // its chain is no longer needed
    addFault("A0DC#5=9240");
    std::vector<ProgressCall> progress;
    EXPECT_EQ(write(0, book.entries, &progress), 0);
    EXPECT_EQ(lastError(), -2);
    ASSERT_EQ(progress.size(), 60u);
    EXPECT_EQ(progress[59].index, 60);
    EXPECT_EQ(progress[59].total, 60);
    EXPECT_TRUE(progress[59].nullTexts);
    // Record 4 (the e-mail) was written; record 5 was not, so nothing is freed.
    EXPECT_EQ(records(files::kIden, files::kIdenEmail)[0][0], 0x2D);
    EXPECT_EQ(valueOf(read(0).entries[0], kValueEmail), u"ops@x.org");
}

struct ShortRecords {
    const char* name;
    std::string section;
    std::string length;
};

class UnusableIdenBook : public IdenBook, public ::testing::WithParamInterface<ShortRecords> {};

TEST_P(UnusableIdenBook, IsNeitherReadNorWritten) {
    use(withSection(cardProfile("demo"), GetParam().section,
                    "Type=EF\nStructure=linear fixed\nRecordLength=" + GetParam().length +
                        "\nRecords=20\nRead=CHV1\nUpdate=CHV1"));
    PhoneBookRequest request{};
    EXPECT_EQ(get_phone_book(&card, 0, &request), 0);
    std::vector<PhoneBookEntry> contacts{contact(u"X")};
    EXPECT_EQ(write(0, contacts), 0);
    EXPECT_EQ(commandCount(0xB2), 0u);
    EXPECT_EQ(commandCount(0xDC), 0u);
}

INSTANTIATE_TEST_SUITE_P(Shapes, UnusableIdenBook,
                         ::testing::Values(ShortRecords{"ValueRecordsOf39Bytes", kValues2, "39"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IdenBook, ValueFileThatCannotBeDescribedStopsEverything) {
    // Skipping it would give the records of the files after it other numbers.
    addFault("A0A40000026F2B=6F00");
    PhoneBookRequest request{};
    EXPECT_EQ(get_phone_book(&card, 0, &request), 0);
    EXPECT_EQ(lastError(), -18);
    std::vector<PhoneBookEntry> contacts{contact(u"X")};
    EXPECT_EQ(write(0, contacts), 0);
    EXPECT_EQ(commandCount(0xDC), 0u);
}

TEST_F(IdenBook, MissingValueFilesAreLeftOut) {
    use(withoutSection(cardProfile("demo"), kValues2));
    const BookRead book = read(0);
    EXPECT_EQ(book.result, 1);
    EXPECT_EQ(book.count, 40);
    EXPECT_EQ(nameOf(book.entries[4]), u"Ana");
    EXPECT_EQ(book.entries[4].recordNumbers[kValueMobile], 25);
}

TEST_F(IdenBook, ContinuationRecordsOfTwoBytesAreNotUsed) {
    use(withSection(cardProfile("demo"), kEmail,
                    "Type=EF\nStructure=linear fixed\nRecordLength=2\nRecords=10\nRead=CHV1\n"
                    "Update=CHV1"));
    const BookRead book = read(0);
    EXPECT_EQ(book.result, 0);
    ASSERT_EQ(book.entries.size(), 60u);
    EXPECT_EQ(valueOf(book.entries[0], kValueEmail), u"operations");
    EXPECT_EQ(valueOf(book.entries[1], kValueEmail), u"maria@exam");
}

TEST_F(IdenBook, MissingDirectoryFails) {
    use(cardProfile("no-iden"));
    PhoneBookRequest request{};
    EXPECT_EQ(get_nextel_phone_book(&card, 0, &request), 0);
    EXPECT_EQ(lastError(), -6);
    std::vector<PhoneBookEntry> contacts{contact(u"X")};
    request.entries = contacts.data();
    request.count = 1;
    EXPECT_EQ(set_nextel_phone_book(&card, 0, &request), 0);
}

} // namespace
} // namespace brontel::test
