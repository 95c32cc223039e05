// get_sms against the virtual SIM: the demo card's messages, free and deleted
// records, records whose lengths overrun, and failed reads.
#include "SmsCardFixture.h"

#include <string>

namespace brontel::test {
namespace {

const std::u16string kDemoCentre = u"+447785016005";

struct DemoMessage {
    int record;
    std::u16string text;
    std::u16string address;
    std::u16string centre;
    std::string time; // empty: no time stamp (an outgoing message)
    uint32_t flags;
};

// The messages the demo card was built with (virtualsim/tools/make_cards.py).
const std::vector<DemoMessage> kDemoMessages = {
    {1, u"Hi! Are we still on for lunch tomorrow?", u"+447700900101", kDemoCentre,
     "2025-03-14 12:05:33", 0},
    {2, u"Running 10 min late, sorry.", u"+447700900102", kDemoCentre, "2025-03-14 18:41:02", 0},
    {3, u"Your balance is £4.20. Top up at any shop.", u"InfoText", kDemoCentre,
     "2025-03-15 09:00:00", 0},
    {4, u"Καλημέρα! Τι κάνεις;", u"+306912345678", kDemoCentre, "2025-03-16 08:15:47", 0},
    {5, u"Привет! Как дела?", u"+74951234567", kDemoCentre, "2025-03-16 10:02:11", 0},
    {6, u"Grüße aus Berlin", u"+493012345678", kDemoCentre, "2025-03-17 14:30:00", 0},
    {7,
     u"The quarterly report is ready for review. Please check the figures in section three "
     u"before Friday, and send me your comments on the forecast. We will pre",
     u"+447700900103", kDemoCentre, "2025-03-18 16:20:05", 0},
    {8, u"sent it to the board on Monday morning at nine.", u"+447700900103", kDemoCentre,
     "2025-03-18 16:20:06", 0},
    {9, u"Yes! See you at 12:30 at the usual place.", u"+447700900101", kDemoCentre, "", 0},
    {11, u"你好，明天见！", u"+8613812345678", kDemoCentre, "", 0},
    {12, u"Don't forget the tickets, meet me @", u"+447700900103", u"", "", 0},
    {13, u"Café crème à 8h ?", u"+33199001234", u"", "", 0},
    {14, u"Can you call me back?", u"+447700900105", kDemoCentre, "2025-02-28 19:44:00",
     kSmsDeleted},
    {15, u"Happy birthday Dad!", u"07700900109", kDemoCentre, "", kSmsDeleted},
    {16, u"Tickets: 15€ each [VAT incl.] {ok?}", u"+447700900115", kDemoCentre,
     "2025-03-19 20:01:59", 0},
    {17, u"Your code is 482913. Do not share it.", u"MyBank", kDemoCentre, "2025-03-20 07:58:30",
     0},
    {18, u"こんにちは、元気ですか？", u"+819012345678", kDemoCentre, "2025-03-20 23:11:00", 0},
    {19, u"Home by 6.", u"+447700900108", kDemoCentre, "", 0},
    {20, u"Ευχαριστώ πολύ!", u"+306971234567", u"", "", 0},
    {22, u"Meeting moved to 3pm EST.", u"+12025550134", kDemoCentre, "2025-03-21 15:00:00", 0},
};
const std::vector<int> kDemoFreeRecords = {10, 21, 23, 24, 25, 26, 27, 28, 29, 30};

std::string timeOf(const SmsEntry& entry) {
    return entry.timestamp.year == 0 ? std::string() : timeText(entry.timestamp);
}

// ---- The demo card ----------------------------------------------------------

TEST_F(SmsCard, DemoCardMessagesReadWithTheirFields) {
    use(cardProfile("demo"));
    const SmsRead read = this->read();
    ASSERT_EQ(read.result, 1) << lastError();
    EXPECT_EQ(lastError(), 0);
    ASSERT_EQ(read.entries.size(), 30u);
    for (const DemoMessage& m : kDemoMessages) {
        SCOPED_TRACE("record " + std::to_string(m.record));
        const SmsEntry& e = read.entries[m.record - 1];
        EXPECT_EQ(textOf(e), m.text);
        EXPECT_EQ(addressOf(e), m.address);
        EXPECT_EQ(smscOf(e), m.centre);
        EXPECT_EQ(timeOf(e), m.time);
        EXPECT_EQ(static_cast<uint32_t>(e.flags), m.flags);
    }
    for (int record : kDemoFreeRecords) {
        EXPECT_TRUE(sameEntry(read.entries[record - 1], SmsEntry{})) << "record " << record;
    }
}

TEST_F(SmsCard, SizingCallReportsTheRecordsAndReadsNone) {
    use(cardProfile("demo"));
    clearTrace();
    SmsRequest sizing{nullptr, 5, nullptr, 0};
    EXPECT_EQ(get_sms(&card, &sizing), 1);
    EXPECT_EQ(sizing.count, 30);

    std::vector<SmsEntry> tooFew(29, sentinel());
    SmsRequest small{tooFew.data(), 29, nullptr, 0};
    EXPECT_EQ(get_sms(&card, &small), 1);
    EXPECT_EQ(small.count, 30);
    EXPECT_EQ(commandCount(kRead), 0u);
    EXPECT_TRUE(sameEntry(tooFew[0], sentinel()));
}

TEST_F(SmsCard, FreeRecordsLeaveTheirEntriesWhileProgressRunsForEveryRecord) {
    use(cardProfile("demo"));
    const SmsRead read = this->read(std::vector<SmsEntry>(30, sentinel()));
    ASSERT_EQ(read.result, 1);
    for (int record : kDemoFreeRecords) {
        EXPECT_TRUE(sameEntry(read.entries[record - 1], sentinel())) << "record " << record;
    }
    EXPECT_EQ(textOf(read.entries[0]), kDemoMessages[0].text);
    ASSERT_EQ(read.progress.size(), 30u);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(read.progress[i], (ProgressCall{i + 1, 30, true}));
    }
}

// ---- Records from the card are untrusted --------------------------------------

struct OverrunCase {
    const char* name;
    int recordLength;
    std::string record; // hex; padded with FF to the record length
    bool decodes;
    std::u16string text;    // when it decodes
    std::u16string address; // when it decodes
};

std::u16string repeated(char16_t c, size_t n) {
    return std::u16string(n, c);
}

std::string repeatedHex(const std::string& pair, size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        out += pair;
    }
    return out;
}

const std::string kStamp = "30 11 22 41 35 60 00"; // 2003-11-22 14:53:06

const std::vector<OverrunCase> kOverrunCases = {
    {"centre address over 9 bytes", 176, "01 0C 91 " + repeatedHex("11", 11) + " 04 03 91 21 F3",
     false, u"", u""},
    {"neither DELIVER nor SUBMIT", 176, "01 00 02 03 91 21 F3 00 00", false, u"", u""},
    {"originator longer than its field", 176,
     "01 00 04 FF 91 " + repeatedHex("11", 128) + " 00 00 " + kStamp + " 05 C8 32 9B FD 06", true,
     u"Hello", u"+" + repeated(u'1', 59)},
    {"7-bit length over 160", 176,
     "01 00 04 03 91 21 F3 00 00 " + kStamp + " FF " + repeatedHex("00", 159), true,
     repeated(u'@', 160), u"+123"},
    {"UCS2 length past the record", 176,
     "01 00 04 03 91 21 F3 00 08 " + kStamp + " FF " + repeatedHex("0041", 79) + "00", true,
     repeated(u'A', 79), u"+123"},
    {"header longer than the user data", 176,
     "01 00 44 03 91 21 F3 00 04 " + kStamp + " 05 F0 41 42 43 44", true, u"", u"+123"},
    {"originator past the record", 40, "01 00 04 50 91 " + repeatedHex("11", 35), false, u"", u""},
    {"time stamp past the record", 15, "01 00 04 03 91 21 F3 00 00 30 11 22 41 35 60", false, u"",
     u""},
};

class OverrunRecords : public SmsCard, public ::testing::WithParamInterface<OverrunCase> {};

TEST_P(OverrunRecords, AreReadWithinTheRecordAndTheEntry) {
    const OverrunCase& c = GetParam();
    // The record under test is record 2, between two free ones.
    const auto bytes = padded(hex(c.record), static_cast<size_t>(c.recordLength));
    ASSERT_EQ(bytes.size(), static_cast<size_t>(c.recordLength));
    use(smsCardProfile({{2, bytes}}, c.recordLength, 3));
    const SmsRead read = this->read(std::vector<SmsEntry>(3, sentinel()));
    ASSERT_EQ(read.result, 1) << lastError();
    EXPECT_TRUE(sameEntry(read.entries[0], sentinel()));
    EXPECT_TRUE(sameEntry(read.entries[2], sentinel()));
    const SmsEntry& e = read.entries[1];
    if (!c.decodes) {
        EXPECT_TRUE(sameEntry(e, sentinel()));
    } else {
        EXPECT_EQ(textOf(e), c.text);
        EXPECT_EQ(addressOf(e), c.address);
        EXPECT_EQ(e.text[160], u'\0');
        EXPECT_EQ(e.address[60], u'\0');
        EXPECT_EQ(timeText(e.timestamp), "2003-11-22 14:53:06");
    }
    EXPECT_EQ(read.progress.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(SmsCard, OverrunRecords, ::testing::ValuesIn(kOverrunCases),
                         [](const auto& info) { return testName(info.param.name); });

TEST_F(SmsCard, RecordsLongerThanUsualAreReadWhole) {
    const Bytes hello = hex("03 00 04 03 91 21 F3 00 00 30 11 22 41 35 60 00 05 C8 32 9B FD 06");
    use(smsCardProfile({{1, padded(hello, 200)}}, 200, 2));
    const SmsRead read = this->read();
    ASSERT_EQ(read.result, 1) << lastError();
    EXPECT_EQ(textOf(read.entries[0]), u"Hello");
    EXPECT_EQ(read.entries[0].flags, 0);
}

// ---- Failures ---------------------------------------------------------------

struct ReadFault {
    const char* name;
    const char* rules;
    int firstError;
};

class FailedReads : public SmsCard, public ::testing::WithParamInterface<ReadFault> {};

TEST_P(FailedReads, SkipTheirRecordsAndReportTheFirstFailure) {
    use(cardProfile("demo"));
    addFault(GetParam().rules); // READ RECORD 3 and 5 fail
    const SmsRead read = this->read(std::vector<SmsEntry>(30, sentinel()));
    EXPECT_EQ(read.result, 0);
    EXPECT_EQ(lastError(), GetParam().firstError);
    EXPECT_TRUE(sameEntry(read.entries[2], sentinel()));
    EXPECT_TRUE(sameEntry(read.entries[4], sentinel()));
    // The records after a failure are still read.
    EXPECT_EQ(textOf(read.entries[3]), kDemoMessages[3].text);
    EXPECT_EQ(textOf(read.entries[21]), kDemoMessages.back().text);
    std::vector<int> reported;
    for (const ProgressCall& call : read.progress) {
        reported.push_back(call.index);
    }
    EXPECT_EQ(reported.size(), 28u);
    EXPECT_EQ(std::count(reported.begin(), reported.end(), 3), 0);
    EXPECT_EQ(std::count(reported.begin(), reported.end(), 5), 0);
}

INSTANTIATE_TEST_SUITE_P(
    SmsCard, FailedReads,
    ::testing::Values(ReadFault{"technical problem first", "A0B2#3=6F00;A0B2#5=9240", -18},
                      ReadFault{"memory problem first", "A0B2#3=9240;A0B2#5=6F00", -2},
                      ReadFault{"transmission failed first", "A0B2#3=0x80100016;A0B2#5=6F00",
                                static_cast<int>(0x80100016)}),
    [](const auto& info) { return testName(info.param.name); });

struct FileCase {
    const char* name;
    std::string profile;
    int error;
};

TEST_F(SmsCard, OnlyALinearFixedFileIsRead) {
    const std::vector<FileCase> cases = {
        {"transparent", smsCardProfile({}, 176, 2, "transparent"), 0},
        {"cyclic", smsCardProfile({}, 176, 2, "cyclic"), 0},
        {"missing", cardProfile("empty"), -6},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        card.disconnect();
        use(c.profile);
        clearTrace();
        SmsRequest sizing{nullptr, 0, nullptr, 0};
        EXPECT_EQ(get_sms(&card, &sizing), 0);
        EXPECT_EQ(sizing.count, 0);
        EXPECT_EQ(lastError(), c.error);
        EXPECT_EQ(commandCount(kRead), 0u);
    }
}

TEST_F(SmsCard, NullHandleOrRequestFails) {
    SmsRequest request{nullptr, 0, nullptr, 0};
    EXPECT_EQ(get_sms(nullptr, &request), 0);
    EXPECT_EQ(get_sms(&card, nullptr), 0);
    EXPECT_EQ(set_sms(nullptr, &request), 0);
    EXPECT_EQ(set_sms(&card, nullptr), 0);
}

} // namespace
} // namespace brontel::test
