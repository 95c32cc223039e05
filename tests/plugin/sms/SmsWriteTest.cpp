// set_sms against the virtual SIM: new messages, delete, undelete and erase,
// failed reads and updates, cut texts, and round trips of the demo card.
#include "SmsCardFixture.h"

#include "FieldText.h"
#include "sms/SmsWriteAction.h"

#include <string>

namespace brontel::test {
namespace {

constexpr uint32_t kChanged = kSmsChanged;

TEST(SmsWriteActionTest, FlagsChooseTheAction) {
    const struct {
        uint32_t flags;
        SmsWriteAction action;
    } cases[] = {
        {0, SmsWriteAction::Keep},
        {kSmsDeleted, SmsWriteAction::Keep}, // a free record still holding a message, as read
        {kSmsUndelete | kSmsErase, SmsWriteAction::Keep},
        {kChanged, SmsWriteAction::NewMessage},
        {kChanged | kSmsUndelete, SmsWriteAction::Undelete},
        {kChanged | kSmsErase, SmsWriteAction::Erase},
        {kChanged | kSmsDeleted, SmsWriteAction::Delete},
        {kChanged | kSmsDeleted | kSmsUndelete, SmsWriteAction::NewMessage},
        {kChanged | kSmsDeleted | kSmsErase, SmsWriteAction::NewMessage},
        {kChanged | kSmsDeleted | kSmsErase | kSmsUndelete, SmsWriteAction::NewMessage},
        {kChanged | kSmsErase | 0x00000F00, SmsWriteAction::Erase},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(smsWriteAction(static_cast<int32_t>(c.flags)), c.action) << std::hex << c.flags;
    }
}

// ---- New messages -------------------------------------------------------------

TEST_F(SmsCard, NewMessageIsWrittenToBeSent) {
    use(cardProfile("blank"));
    std::vector<SmsEntry> entries = {message(u"Hello", u"+123", kChanged)};
    ASSERT_EQ(write(entries), 1) << lastError();
    EXPECT_EQ(lastError(), 0);
    const auto written = records();
    EXPECT_EQ(hexText(written[0]),
              hexText(padded(hex("07 00 01 00 03 91 21 F3 00 00 05 C8 32 9B FD 06"), 176)));
    EXPECT_EQ(hexText(written[1]), hexText(Bytes(176, 0xFF))); // the blank card's record

    const SmsRead read = this->read();
    EXPECT_EQ(textOf(read.entries[0]), u"Hello");
    EXPECT_EQ(addressOf(read.entries[0]), u"+123");
    EXPECT_EQ(smscOf(read.entries[0]), u"");
    EXPECT_EQ(read.entries[0].timestamp.year, 0);
    EXPECT_EQ(read.entries[0].flags, 0);
}

struct CutCase {
    const char* name;
    std::u16string text;
    std::u16string address;
    std::u16string storedText;
    std::u16string storedAddress;
    int result;
    int recordLength;
};

const std::vector<CutCase> kCutCases = {
    {"7-bit of 160", std::u16string(160, u'a'), u"+123", std::u16string(160, u'a'), u"+123", 1,
     176},
    // 29 octets are left after the head of the message.
    {"7-bit beyond the record", std::u16string(60, u'a'), u"+123", std::u16string(33, u'a'),
     u"+123", 0, 40},
    {"8-bit over 140", std::u16string(141, u'é'), u"+123", std::u16string(140, u'é'), u"+123", 0,
     176},
    {"UCS2 over 70", u"é" + std::u16string(70, u'Ж'), u"+123", u"é" + std::u16string(69, u'Ж'),
     u"+123", 0, 176},
    {"destination over 20 digits", u"Hi", u"+123456789012345678901", u"Hi",
     u"+12345678901234567890", 0, 176},
    {"formatting in the destination", u"Hi", u"+44 (0) 7700-900[123]", u"Hi", u"+4407700900123", 1,
     176},
};

class CutMessages : public SmsCard, public ::testing::WithParamInterface<CutCase> {};

TEST_P(CutMessages, AreWrittenCutAndReported) {
    const CutCase& c = GetParam();
    use(smsCardProfile({}, c.recordLength, 2));
    std::vector<SmsEntry> entries = {message(c.text, c.address, kChanged)};
    EXPECT_EQ(write(entries), c.result);
    EXPECT_EQ(lastError(), c.result == 1 ? 0 : kBrontelErrorValueDidNotFit);
    const SmsRead read = this->read();
    EXPECT_EQ(textOf(read.entries[0]), c.storedText);
    EXPECT_EQ(addressOf(read.entries[0]), c.storedAddress);
}

INSTANTIATE_TEST_SUITE_P(SmsCard, CutMessages, ::testing::ValuesIn(kCutCases),
                         [](const auto& info) { return testName(info.param.name); });

// ---- Delete, undelete, erase ----------------------------------------------------

struct FlagCase {
    int record;
    uint32_t flags;
    int status;          // the status byte afterwards
    bool keepsContents;  // everything after the status byte as before
    uint32_t flagsAfter; // as a read gives them afterwards
};

TEST_F(SmsCard, EachFlagActsOnItsRecordOnly) {
    const std::vector<FlagCase> cases = {
        {1, kChanged | kSmsDeleted, 0x00, true, kSmsDeleted},    // received: deleted
        {14, kChanged | kSmsUndelete, 0x01, true, 0},            // deleted DELIVER: read
        {15, kChanged | kSmsUndelete, 0x07, true, 0},            // deleted SUBMIT: to be sent
        {2, kChanged | kSmsErase, 0x00, false, 0},               // free and all FF
        {9, kChanged, 0x07, false, 0},                           // sent message edited
        {3, kChanged | kSmsDeleted | kSmsErase, 0x07, false, 0}, // several bits: rewritten
        {4, 0, 0x01, true, 0},                                   // unchanged
        {5, kSmsDeleted, 0x03, true, 0},                         // not changed: not written
    };
    use(cardProfile("demo"));
    const auto before = records();
    SmsRead read = this->read();
    for (const FlagCase& c : cases) {
        read.entries[c.record - 1].flags = static_cast<int32_t>(c.flags);
    }
    codec::setFieldText(read.entries[8].text, u"Edited");
    clearTrace();
    ASSERT_EQ(write(read.entries), 1) << lastError();
    EXPECT_EQ(commandCount(kUpdate), 6u);

    const auto after = records();
    for (const FlagCase& c : cases) {
        SCOPED_TRACE("record " + std::to_string(c.record));
        const Bytes& was = before[c.record - 1];
        const Bytes& now = after[c.record - 1];
        EXPECT_EQ(now[0], c.status);
        EXPECT_EQ(Bytes(now.begin() + 1, now.end()) == Bytes(was.begin() + 1, was.end()),
                  c.keepsContents);
    }
    EXPECT_EQ(hexText(after[1]), hexText(padded({0x00}, 176)));
    for (size_t i = 15; i < after.size(); ++i) {
        EXPECT_EQ(after[i], before[i]) << "record " << i + 1;
    }

    const SmsRead again = this->read();
    for (const FlagCase& c : cases) {
        EXPECT_EQ(static_cast<uint32_t>(again.entries[c.record - 1].flags), c.flagsAfter)
            << "record " << c.record;
    }
    EXPECT_EQ(textOf(again.entries[0]), textOf(read.entries[0])); // deleted, still there
    EXPECT_EQ(textOf(again.entries[8]), u"Edited");
    EXPECT_EQ(addressOf(again.entries[8]), u"+447700900101");
    EXPECT_EQ(smscOf(again.entries[8]), u"");
    EXPECT_EQ(textOf(again.entries[2]), textOf(read.entries[2]));
    EXPECT_EQ(addressOf(again.entries[2]), u"InfoText");
}

// ---- Failures ---------------------------------------------------------------------

struct WriteFault {
    const char* name;
    const char* rules;
    int error;
};

class FailedReadsBeforeRestating : public SmsCard,
                                   public ::testing::WithParamInterface<WriteFault> {};

TEST_P(FailedReadsBeforeRestating, WriteNothingOverTheMessage) {
    use(cardProfile("demo"));
    const auto before = records();
    std::vector<SmsEntry> entries(14, SmsEntry{});
    entries[0].flags = static_cast<int32_t>(kChanged | kSmsDeleted);
    entries[13].flags = static_cast<int32_t>(kChanged | kSmsUndelete);
    entries[1].flags = static_cast<int32_t>(kChanged | kSmsErase); // needs no read
    addFault(GetParam().rules);
    clearTrace();
    EXPECT_EQ(write(entries), 0);
    EXPECT_EQ(lastError(), GetParam().error);
    EXPECT_EQ(commandCount(kRead), 2u);
    EXPECT_EQ(commandCount(kUpdate), 1u);
    clearFaults();
    const auto after = records();
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[13], before[13]);
    EXPECT_EQ(hexText(after[1]), hexText(padded({0x00}, 176)));
}

INSTANTIATE_TEST_SUITE_P(SmsCard, FailedReadsBeforeRestating,
                         ::testing::Values(WriteFault{"status word", "A0B2=6F00", -18},
                                           WriteFault{"transmission", "A0B2=0x80100016",
                                                      static_cast<int>(0x80100016)}),
                         [](const auto& info) { return testName(info.param.name); });

TEST_F(SmsCard, FailedUpdateDoesNotStopTheOthers) {
    use(cardProfile("demo"));
    std::vector<SmsEntry> entries(3, message(u"", u"", kChanged | kSmsErase));
    addFault("A0DC#1=9240");
    EXPECT_EQ(write(entries), 0);
    EXPECT_EQ(lastError(), -2);
    const auto after = records();
    EXPECT_EQ(after[0][0], 0x01); // untouched
    EXPECT_EQ(hexText(after[1]), hexText(padded({0x00}, 176)));
    EXPECT_EQ(hexText(after[2]), hexText(padded({0x00}, 176)));
}

TEST_F(SmsCard, FirstFailureIsTheOneReported) {
    use(cardProfile("blank"));
    std::vector<SmsEntry> entries = {message(std::u16string(150, u'é'), u"+1", kChanged),
                                     message(u"fits", u"+1", kChanged)};
    addFault("A0DC#2=9240");
    EXPECT_EQ(write(entries), 0);
    EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);

    use(cardProfile("worn-memory")); // every update of EF SMS fails with 9240
    std::swap(entries[0], entries[1]);
    EXPECT_EQ(write(entries), 0);
    EXPECT_EQ(lastError(), -2);
}

TEST_F(SmsCard, RequestsOutsideTheFileWriteNothing) {
    use(cardProfile("demo"));
    std::vector<SmsEntry> entries(31, message(u"x", u"+1", kChanged));
    clearTrace();
    SmsRequest tooMany{entries.data(), 31, nullptr, 0};
    EXPECT_EQ(set_sms(&card, &tooMany), 0);
    SmsRequest negative{entries.data(), -1, nullptr, 0};
    EXPECT_EQ(set_sms(&card, &negative), 0);
    SmsRequest noArray{nullptr, 1, nullptr, 0};
    EXPECT_EQ(set_sms(&card, &noArray), 0);
    EXPECT_EQ(commandCount(kUpdate), 0u);

    SmsRequest none{entries.data(), 0, nullptr, 0};
    EXPECT_EQ(set_sms(&card, &none), 1); // nothing to write, nothing failed
    SmsRequest two{entries.data(), 2, nullptr, 0};
    EXPECT_EQ(set_sms(&card, &two), 1);
    EXPECT_EQ(commandCount(kUpdate), 2u);
}

// ---- Round trips of the demo card -----------------------------------------------------

TEST_F(SmsCard, UnchangedMessagesWrittenBackChangeNoRecord) {
    use(cardProfile("demo"));
    const auto before = records();
    SmsRead read = this->read();
    ASSERT_EQ(read.result, 1);
    clearTrace();
    std::vector<ProgressCall> progress;
    EXPECT_EQ(write(read.entries, &progress), 1);
    EXPECT_EQ(lastError(), 0);
    EXPECT_EQ(commandCount(kUpdate), 0u);
    EXPECT_EQ(progress.size(), 30u);
    EXPECT_EQ(records(), before);

    const SmsRead again = this->read();
    for (size_t i = 0; i < again.entries.size(); ++i) {
        EXPECT_TRUE(sameEntry(again.entries[i], read.entries[i])) << "entry " << i;
    }
}

TEST_F(SmsCard, EveryDemoMessageEditedIsStoredToBeSentAndReadsBack) {
    use(cardProfile("demo"));
    SmsRead read = this->read();
    for (SmsEntry& e : read.entries) {
        e.flags = static_cast<int32_t>(static_cast<uint32_t>(e.flags) | kChanged);
    }
    clearTrace();
    std::vector<ProgressCall> progress;
    ASSERT_EQ(write(read.entries, &progress), 1) << lastError();
    EXPECT_EQ(commandCount(kUpdate), 30u);
    ASSERT_EQ(progress.size(), 30u);
    for (int j = 0; j < 30; ++j) {
        EXPECT_EQ(progress[j], (ProgressCall{j, 30, true}));
    }

    const SmsRead again = this->read();
    const auto stored = records();
    for (size_t i = 0; i < 30; ++i) {
        SCOPED_TRACE("record " + std::to_string(i + 1));
        const SmsEntry& was = read.entries[i];
        const SmsEntry& now = again.entries[i];
        EXPECT_EQ(textOf(now), textOf(was));
        EXPECT_EQ(addressOf(now), addressOf(was));
        if (static_cast<uint32_t>(was.flags) & kSmsDeleted) {
            // Deleted messages stay deleted with everything they held.
            EXPECT_EQ(now.flags, static_cast<int32_t>(kSmsDeleted));
            EXPECT_EQ(smscOf(now), smscOf(was));
        } else if (textOf(was).empty()) {
            EXPECT_EQ(hexText(stored[i]), hexText(padded({0x00}, 176)));
        } else {
            EXPECT_EQ(stored[i][0], 0x07);
            EXPECT_EQ(now.flags, 0);
            EXPECT_EQ(smscOf(now), u"");
            EXPECT_EQ(now.timestamp.year, 0);
        }
    }
}

} // namespace
} // namespace brontel::test
