// A card that fails part-way: failed reads and writes, pulled cards, entries
// that do not fit, another card in the reader, and backups that break off.
// Each is reported, and nothing the user has is lost or overwritten.
#include "FileDocument.h"
#include "LangText.h"
#include "VirtualCardOps.h"
#include "WriteFailureText.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace pelmora::model::test {
namespace {

class VirtualFaults : public VirtualCardOps {
protected:
    CardReport readAdnOnly() {
        user.pins.push_back(u"1234");
        CardDocument* const one[] = {&card};
        CardOptions options;
        options.readWriteAll = false;
        ops(options).openCard(one);
        return commands(options).readSim(card, card.category(kBookAdn), progress);
    }
    // Edits slot 0 of the ADN book and writes that book alone.
    CardReport editAndWriteAdn(std::u16string_view name, bool verify = false) {
        Category& adn = *card.category(kBookAdn);
        adn.entries()[0] = contact(name, u"+4400");
        adn.markChanged();
        CardOptions options;
        options.readWriteAll = false;
        options.verifyWrites = verify;
        return commands(options).writeSim(card, &adn, {}, progress);
    }
    std::u16string bookOnCard(uint16_t kind, size_t slot) {
        const auto entries = cardBook(calls, card, kind);
        return slot < entries.size() ? std::u16string(fieldText(entries[slot].name)) : u"<none>";
    }
    void fail(const char* rule) { ASSERT_EQ(sim().addFault(rule), 0) << sim().lastError(); }
};

TEST_F(VirtualFaults, EveryFailedReadIsReportedAndOnly6FxxShowsTheMessageOncePerBook) {
    const struct {
        const char* rule;
        size_t messages;
    } cases[] = {
        {"A0B2=6F00", 7}, // every record read: technical problem, one message per book
        {"A0B2=6581", 0}, // memory problem: reported, no message
    };
    for (const auto& c : cases) {
        calls.close(card);
        card.releaseCategories();
        user.errors.clear();
        user.pins = {u"1234"};
        fail(c.rule);
        const CardReport report = commands().readSim(card, nullptr, progress);
        sim().clearFaults();
        EXPECT_FALSE(report.ok()) << c.rule;
        EXPECT_EQ(report.failed.size(), 8u) << c.rule; // the seven books and the messages
        EXPECT_EQ(user.errors.size(), c.messages) << c.rule;
        for (const auto& text : user.errors) {
            EXPECT_EQ(text, kTechnicalProblemText);
        }
        for (const auto& category : card.categories()) {
            EXPECT_TRUE(category->incomplete()) << category->kind();
        }
    }
}

TEST_F(VirtualFaults, OnlyFileNotFoundMakesABookAbsent) {
    const struct {
        const char* rule;
        bool absent;
    } cases[] = {
        {"A0A40000026F3A=9404", true},
        {"A0A40000026F3A=6A82", true},
        {"A0A40000026F3A=6F00", false},
        {"A0A40000026F3A=0x80100016", false},
    };
    for (const auto& c : cases) {
        calls.close(card);
        card.releaseCategories();
        user.pins = {u"1234"};
        fail(c.rule);
        const CardReport report = commands().readSim(card, nullptr, progress);
        sim().clearFaults();
        EXPECT_EQ(card.category(kBookAdn) == nullptr, c.absent) << c.rule;
        EXPECT_EQ(report.ok(), c.absent) << c.rule;
    }
}

TEST_F(VirtualFaults, ABookOnlyTheAdministratorMayUpdateIsComparedNotAttempted) {
    user.pins = {u"1234"};
    CardDocument* const readers[] = {&card};
    FileDocument file;
    file.addCategory(kBookSdn, 1).entries()[0] = contact(u"Changed", u"+4401");
    const CardReport report = commands().writeSim(file, nullptr, readers, progress);
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(report.keptAsOnCard, std::vector<uint16_t>{kBookSdn});
    EXPECT_TRUE(report.failed.empty());
}

TEST_F(VirtualFaults, ABookReadInPartIsNeverWrittenBack) {
    fail("A0B2#5=6581");
    const CardReport read = readAdnOnly();
    EXPECT_EQ(read.failed, std::vector<uint16_t>{kBookAdn});
    ASSERT_TRUE(card.category(kBookAdn)->incomplete());
    const CardReport write = editAndWriteAdn(u"Edited");
    EXPECT_EQ(write.failed, std::vector<uint16_t>{kBookAdn});
    EXPECT_EQ(bookOnCard(kBookAdn, 0), u"Alice Morgan");
    EXPECT_EQ(bookOnCard(kBookAdn, 249), u"Last Entry"); // never read, never blanked
}

TEST_F(VirtualFaults, AFailedWriteIsReportedAndTheBookStaysChanged) {
    const char* const rules[] = {"A0DC#2=6581", "A0DC#3=pull"};
    for (const char* rule : rules) {
        insert(CardProfile());
        calls.close(card);
        card.releaseCategories();
        ASSERT_TRUE(readAdnOnly().ok()) << rule;
        fail(rule);
        const CardReport write = editAndWriteAdn(u"Edited");
        sim().clearFaults();
        EXPECT_FALSE(write.ok()) << rule;
        EXPECT_EQ(write.failed, std::vector<uint16_t>{kBookAdn}) << rule;
        EXPECT_FALSE(card.category(kBookAdn)->unchanged()) << rule;
    }
}

TEST_F(VirtualFaults, AFailedWriteNamesItsFirstRecordTheCardsAnswerAndARemovedCard) {
    const struct {
        const char* rule;
        int record;
        bool removed;
    } cases[] = {{"A0DC#1=9240", 1, false}, {"A0DC#3=pull", 0, true}};
    for (const auto& c : cases) {
        insert(CardProfile());
        calls.close(card);
        card.releaseCategories();
        ASSERT_TRUE(readAdnOnly().ok()) << c.rule;
        fail(c.rule);
        const CardReport write = editAndWriteAdn(u"Edited");
        sim().clearFaults();
        ASSERT_EQ(write.writeFailures.size(), 1u) << c.rule;
        const BookWriteFailure& failure = write.writeFailures[0];
        EXPECT_EQ(failure.kind, kBookAdn) << c.rule;
        EXPECT_EQ(failure.firstRecord, c.record) << c.rule;
        EXPECT_EQ(failure.cardRemoved, c.removed) << c.rule << " " << failure.cardError;
        EXPECT_TRUE(failure.partlyChanged) << c.rule;
        if (!c.removed) {
            EXPECT_EQ(failure.cardError, -2) << c.rule;
        }
    }
}

TEST_F(VirtualFaults, AnUpdateTheCardDidNotCarryOutIsFoundByReadingBack) {
    ASSERT_TRUE(readAdnOnly().ok());
    fail("A0DC#1=9000"); // answered as done, left undone
    EXPECT_TRUE(editAndWriteAdn(u"Edited").ok());
    EXPECT_EQ(bookOnCard(kBookAdn, 0), u"Alice Morgan");

    fail("A0DC#1=9000");
    const CardReport verified = editAndWriteAdn(u"Edited", true);
    sim().clearFaults();
    EXPECT_EQ(verified.failed, std::vector<uint16_t>{kBookAdn});
    ASSERT_EQ(verified.notAsWritten.size(), 1u);
    EXPECT_EQ(verified.notAsWritten[0].record, 1);
    EXPECT_FALSE(card.category(kBookAdn)->unchanged());

    EXPECT_TRUE(editAndWriteAdn(u"Edited", true).ok());
}

// Notes each book the job starts writing among the user's questions.
struct WriteLog : SilentProgress {
    explicit WriteLog(std::vector<std::string>& l) : log(l) {}
    void title(std::u16string_view) override { log.push_back("write"); }
    std::vector<std::string>& log;
};

TEST_F(VirtualFaults, EntriesBeyondTheCardsRecordsAreNamedBeforeAnythingIsWritten) {
    FileDocument file;
    file.addCategory(kBookAdn, 3).entries()[0] = contact(u"First", u"+4401");
    Category& lnd = file.addCategory(kBookLnd, 12); // the card's LND book has 10 records
    lnd.entries()[0] = contact(u"Dialled", u"+4402");
    lnd.entries()[11] = contact(u"Too far", u"+4403");
    user.pins = {u"1234"};
    CardDocument* const readers[] = {&card};
    WriteLog writes(user.asked);
    CardReport report = commands().writeSim(file, nullptr, readers, writes);
    EXPECT_EQ(user.cutSlots, std::vector<int>{11});
    EXPECT_EQ(user.asked, (std::vector<std::string>{"reader", "pin1 3", "cut", "write"}));
    EXPECT_EQ(report.done, std::vector<uint16_t>{kBookAdn});
    EXPECT_EQ(report.skipped, std::vector<uint16_t>{kBookLnd});
    EXPECT_EQ(bookOnCard(kBookLnd, 0), u"");

    user.allowCut = true;
    report = commands().writeSim(file, nullptr, readers, progress);
    EXPECT_EQ(report.done, (std::vector<uint16_t>{kBookAdn, kBookLnd}));
    EXPECT_EQ(bookOnCard(kBookLnd, 0), u"Dialled");
}

TEST_F(VirtualFaults, AnotherCardInTheReaderMayNotTakeOverUnsavedEdits) {
    ASSERT_TRUE(readAdnOnly().ok());
    Category& adn = *card.category(kBookAdn);
    adn.entries()[0] = contact(u"Unsaved", u"+4400");
    adn.markChanged();
    ASSERT_EQ(sim().pullCard(0), 0);
    insert(CardProfile().set("3F00/2FE2", "Data", "98445100214365871200"));

    user.pins = {u"1234"};
    const CardReport report = commands().writeSim(card, nullptr, {}, progress);
    EXPECT_FALSE(report.opened);
    EXPECT_EQ(user.asked, (std::vector<std::string>{"pin1 3", "discard"}));
    EXPECT_EQ(card.category(kBookAdn), &adn);
    EXPECT_EQ(fieldText(adn.entries()[0].name), u"Unsaved");
}

std::string fileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(VirtualFaults, ABackupReplacesTheOldOneOnlyWhenComplete) {
    const auto file = tempDir() / "card.bsf";
    { std::ofstream(file) << "old backup\n"; }
    user.pins = {u"1234", u"1234"};
    fail("*#40=pull");
    CardReport report = commands().backupSim(card, file, progress);
    EXPECT_TRUE(report.opened);
    EXPECT_EQ(report.failed, std::vector<uint16_t>{kWholeCard});
    EXPECT_EQ(fileText(file), "old backup\n");
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(tempDir())) {
        ++files;
    }
    EXPECT_EQ(files, 2u); // the old backup and the log folder: no partial file left

    sim().clearFaults();
    insert(CardProfile());
    report = commands().backupSim(card, file, progress);
    EXPECT_TRUE(report.ok());
    EXPECT_NE(fileText(file), "old backup\n");
    // A restore the plug-in reports as failed is a failure.
    const CardReport restore = commands().restoreSim(card, tempDir() / "missing.bsf", progress);
    EXPECT_TRUE(restore.opened);
    EXPECT_EQ(restore.failed, std::vector<uint16_t>{kWholeCard});
}

TEST_F(VirtualFaults, ARestoreAsksForPin2WhenTheBackupHoldsBooksOnlyPin2MayWrite) {
    const auto file = tempDir() / "card.bsf";
    user.pins = {u"1234"};
    ASSERT_TRUE(commands().backupSim(card, file, progress).ok());

    // Without PIN2 the restore stops before it writes anything.
    user.asked.clear();
    CardReport restore = commands().restoreSim(card, file, progress);
    EXPECT_EQ(restore.failed, std::vector<uint16_t>{kWholeCard});
    EXPECT_EQ(user.asked, std::vector<std::string>{"pin2 3"});

    user.asked.clear();
    user.pins = {u"5678"};
    restore = commands().restoreSim(card, file, progress);
    EXPECT_TRUE(restore.ok());
    EXPECT_EQ(user.asked, std::vector<std::string>{"pin2 3"});
}

TEST_F(VirtualFaults, AFailedRestoreSaysWhyInItsOwnWords) {
    const auto file = tempDir() / "card.bsf";
    user.pins = {u"1234"};
    ASSERT_TRUE(commands().backupSim(card, file, progress).ok());
    std::string text = fileText(file);
    const size_t adnRecord1 = text.find("[7F10 - 6F3A]\r\n1=");
    ASSERT_NE(adnRecord1, std::string::npos);
    const auto damaged = tempDir() / "damaged.bsf";
    const size_t firstDigit = adnRecord1 + 17;
    text[firstDigit] = text[firstDigit] == '4' ? '5' : '4'; // its checksum no longer matches
    std::ofstream(damaged, std::ios::binary) << text;

    const struct {
        const char* rule; // a fault of the card, or none
        std::filesystem::path backup;
        int32_t cardError;
    } cases[] = {{"A0DC#3=9240", file, -2}, {nullptr, damaged, kBrontelErrorValueDidNotFit}};
    for (const auto& c : cases) {
        if (c.rule != nullptr) {
            fail(c.rule);
        }
        user.pins = {u"5678"};
        const CardReport restore = commands().restoreSim(card, c.backup, progress);
        sim().clearFaults();
        ASSERT_EQ(restore.writeFailures.size(), 1u) << c.backup;
        EXPECT_EQ(restore.writeFailures[0].cardError, c.cardError) << c.backup;
        const auto texts = restoreFailureTexts(restore.writeFailures[0]);
        ASSERT_EQ(texts.size(), 2u) << c.backup; // the card holds part of the backup
        EXPECT_EQ(texts[0] == velmet::langText(1391), c.rule == nullptr) << c.backup;
    }
    EXPECT_EQ(bookOnCard(kBookAdn, 0), u"Alice Morgan"); // the damaged record was left alone
}

TEST_F(VirtualFaults, AFileThatHoldsNoBackupIsNotRestored) {
    const auto file = tempDir() / "contacts.phn";
    std::ofstream(file, std::ios::binary) << "[Phonebook]\r\nName1=Alice\r\n";
    user.pins = {u"1234"};
    const CardReport restore = commands().restoreSim(card, file, progress);
    ASSERT_EQ(restore.writeFailures.size(), 1u);
    EXPECT_TRUE(restore.writeFailures[0].notABackup);
    EXPECT_EQ(restoreFailureTexts(restore.writeFailures[0]),
              std::vector<std::u16string>{velmet::langText(1392)});
    EXPECT_EQ(user.asked, std::vector<std::string>{"pin1 3"}); // PIN2 is not asked for
    EXPECT_EQ(restore.recordsWritten, 0);
}

} // namespace
} // namespace pelmora::model::test

namespace pelmora::model::test {
namespace {

class VirtualWriteFit : public VirtualFaults {
protected:
    CardReport readAll() {
        user.pins.push_back(u"1234");
        CardDocument* const one[] = {&card};
        ops().openCard(one);
        return commands().readSim(card, nullptr, progress);
    }
    // The book's entries in order, holes left out: compaction may close them.
    static std::vector<std::u16string> numbers(const std::vector<PhoneBookEntry>& entries) {
        std::vector<std::u16string> out;
        for (const PhoneBookEntry& e : entries) {
            if (!isEmptyRecord(e)) {
                out.push_back(std::u16string(fieldText(e.name)) + u"/" +
                              std::u16string(fieldText(e.value0)));
            }
        }
        return out;
    }
};

TEST_F(VirtualWriteFit, NamelessEntriesReadAreKeptAndWrittenBackUnchanged) {
    ASSERT_TRUE(readAll().ok());
    const auto adnBefore = numbers(cardBook(calls, card, kBookAdn));
    const auto lndBefore = numbers(cardBook(calls, card, kBookLnd));
    const Category& lnd = *card.category(kBookLnd);
    EXPECT_EQ(fieldText(lnd.entries()[0].value0), u"07700900102");
    EXPECT_EQ(fieldText(lnd.entries()[2].value0), u"+442079460001");
    EXPECT_EQ(numbers(cardBook(calls, card, kBookLnd)).size(), 3u);
    bool namelessAdn = false;
    for (const PhoneBookEntry& e : card.category(kBookAdn)->entries()) {
        namelessAdn = namelessAdn || (fieldText(e.name).empty() && !isEmptyRecord(e));
    }
    EXPECT_TRUE(namelessAdn);

    card.category(kBookAdn)->markChanged();
    card.category(kBookLnd)->markChanged();
    const CardReport written = commands().writeSim(card, nullptr, {}, progress);
    EXPECT_TRUE(written.ok());
    EXPECT_EQ(written.done, (std::vector<uint16_t>{kBookAdn, kBookLnd}));
    EXPECT_EQ(numbers(cardBook(calls, card, kBookAdn)), adnBefore);
    EXPECT_EQ(numbers(cardBook(calls, card, kBookLnd)), lndBefore);
}

TEST_F(VirtualWriteFit, ATooLongNameIsNamedBeforeAnyWriteAndNothingIsWrittenWhenRefused) {
    ASSERT_TRUE(readAdnOnly().ok());
    WriteLog writes(user.asked);
    Category& adn = *card.category(kBookAdn);
    adn.entries()[1] = contact(u"Brackets [x] {y} €", u"+4400");
    adn.markChanged();
    CardOptions options;
    options.readWriteAll = false;
    const CardReport refused = commands(options).writeSim(card, &adn, {}, writes);
    ASSERT_EQ(user.misfits.size(), 1u);
    EXPECT_EQ(user.misfits[0].reason, MisfitReason::NameCut);
    EXPECT_EQ(user.misfits[0].slot, 1);
    EXPECT_EQ(user.misfits[0].becomes, u"Brackets [x]");
    EXPECT_EQ(user.asked.back(), "cut");
    EXPECT_EQ(refused.skipped, std::vector<uint16_t>{kBookAdn});
    EXPECT_EQ(bookOnCard(kBookAdn, 1), u"Bob Harris");

    user.allowCut = true;
    EXPECT_TRUE(commands(options).writeSim(card, &adn, {}, progress).ok());
    EXPECT_EQ(bookOnCard(kBookAdn, 1), u"Brackets [x]");
}

TEST_F(VirtualWriteFit, IdenValuesPastTheCardsRecordsAreNamed) {
    ASSERT_TRUE(readAll().ok());
    Category& iden = *card.category(kBookNextel);
    PhoneBookEntry& e = iden.entries()[0];
    setEntryValue(e, kValueFax, u"5551234");
    e.recordNumbers[kValueFax] = 100000;
    iden.markChanged();
    user.allowCut = false;
    const CardReport report = commands().writeSim(card, nullptr, {}, progress);
    ASSERT_EQ(user.misfits.size(), 1u);
    EXPECT_EQ(user.misfits[0].reason, MisfitReason::ValueBeyondRecords);
    EXPECT_EQ(user.misfits[0].valueIndex, kValueFax);
    EXPECT_TRUE(report.done.empty());
    EXPECT_EQ(std::count(report.skipped.begin(), report.skipped.end(), kBookNextel), 1);
}

TEST_F(VirtualWriteFit, AMessageStoreLargerThanTheCardWritesItsMessages) {
    insert(CardProfile().records("3F00/7F10/6F3C", {}).set("3F00/7F10/6F3C", "Records", "10"));
    FileDocument file;
    Category& sms = file.addCategory(kBookSms, 30);
    sms.messages()[0] = SmsEntry{};
    setFieldText(sms.messages()[0].address, u"+4477");
    setFieldText(sms.messages()[0].text, u"fits");
    sms.messages()[0].flags = static_cast<int32_t>(kSmsChanged);
    user.pins = {u"1234"};
    CardDocument* const readers[] = {&card};
    EXPECT_TRUE(commands().writeSim(file, nullptr, readers, progress).ok());
    EXPECT_TRUE(user.misfits.empty());

    setFieldText(sms.messages()[20].text, u"too far");
    const CardReport report = commands().writeSim(file, nullptr, readers, progress);
    ASSERT_EQ(user.misfits.size(), 1u);
    EXPECT_EQ(user.misfits[0].slot, 20);
    EXPECT_EQ(report.skipped, std::vector<uint16_t>{kBookSms});
}

} // namespace
} // namespace pelmora::model::test
