#include "CardTestSupport.h"

#include "FileDocument.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace pelmora::model::test {
namespace {

using Ops = CardOperationsFixture;

std::u16string nameIn(const Category& c, int slot) {
    return std::u16string(fieldText(c.entry(slot)->name));
}

TEST_F(Ops, OpenCardConnectsVerifiesPin1AndProbesTheBooksTheCardHas) {
    user.pins = {u"1234"};
    CardDocument* const candidates[] = {&card};
    EXPECT_EQ(ops().openCard(candidates), &card);
    EXPECT_EQ(user.asked, (std::vector<std::string>{"pin1 3"}));
    ASSERT_EQ(card.categories().size(), 2u);
    EXPECT_EQ(card.categories()[0]->kind(), 0x6F3A);
    EXPECT_EQ(card.categories()[1]->kind(), 0x6F3B); // no messages, no Nextel book
    EXPECT_TRUE(card.pin1().present());
    // Still connected: the second open neither asks nor probes again.
    EXPECT_EQ(ops().openCard(candidates), &card);
    EXPECT_EQ(user.asked.size(), 1u);
}

TEST_F(Ops, OpenCardWithAWrongPinAndCancelReturnsNoneAndCloses) {
    user.pins = {u"0000"};
    CardDocument* const candidates[] = {&card};
    EXPECT_EQ(ops().openCard(candidates), nullptr);
    EXPECT_EQ(user.asked, (std::vector<std::string>{"pin1 3", "pin1 2 red"}));
    EXPECT_EQ(card.connection, nullptr);
    EXPECT_FALSE(card.pin1().present());
}

TEST_F(Ops, ReadSimFollowsTheSettings) {
    FakeCard& c = fakeCard();
    c.books[0x6F3A].records[2] = contact(u"Ann", u"111");
    c.books[0x6F3A].records[4] = contact(u"", u"444"); // a number without a name
    c.books[0x6F3A].records[7] = contact(u"Bob", u"777");
    c.pin1Enabled = false;
    struct Case {
        CardOptions options;
        std::vector<std::u16string> adn; // first slots of the ADN book
        uint32_t fdnSlots;
    } cases[] = {
        {{true, true, false, true}, {u"Ann", u"Bob", u""}, 5},
        {{true, true, true, true}, {u"Ann", u"", u"Bob"}, 5},
        {{true, true, false, false}, {u"", u"", u"Ann", u"", u"", u"", u"", u"Bob"}, 5},
        {{false, true, false, true}, {u"Ann", u"Bob"}, 0}, // only the first book
    };
    for (const Case& k : cases) {
        CardDocument doc;
        doc.reader = u"Reader A";
        const CardReport report = ops(k.options).readSim(doc, nullptr, progress);
        EXPECT_TRUE(report.ok());
        const Category& adn = *doc.category(0x6F3A);
        for (size_t i = 0; i < k.adn.size(); ++i) {
            EXPECT_EQ(nameIn(adn, static_cast<int>(i)), k.adn[i]) << i;
        }
        EXPECT_EQ(doc.category(0x6F3B)->slotCount(), k.fdnSlots);
        EXPECT_TRUE(adn.unchanged());
    }
    EXPECT_EQ(user.stops, 4);
    EXPECT_EQ(user.restarts, 4);
}

TEST_F(Ops, FailedReadIsReportedMarkedIncompleteAndNeverWrittenBack) {
    fakeCard().pin1Enabled = false;
    fakeCard().books[0x6F3A].records[0] = contact(u"Ann", u"1");
    fakeCard().books[0x6F3A].records[5] = contact(u"Eve", u"5");
    fakeCard().failReadKind = 0x6F3A;
    fakeCard().failReadError = -13; // not the 6Fxx case: no message, still a failure
    fakeCard().readRecordsBeforeFailure = 3;
    CardReport report = ops({true, true, false, false}).readSim(card, nullptr, progress);
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(report.failed, std::vector<uint16_t>{0x6F3A});
    EXPECT_TRUE(user.errors.empty());
    EXPECT_TRUE(book(0x6F3A).incomplete());

    book(0x6F3A).markChanged();
    report = ops().writeSim(card, nullptr, {}, progress);
    EXPECT_EQ(report.failed, std::vector<uint16_t>{0x6F3A});
    EXPECT_EQ(fakeCard().calls["set_phone_book"], 0);
    EXPECT_EQ(fieldText(fakeCard().books[0x6F3A].records[5].name), u"Eve");
}

TEST_F(Ops, StatusWord6FxxShowsTheMessageOncePerBook) {
    fakeCard().pin1Enabled = false;
    fakeCard().failReadKind = 0x6F3A;
    fakeCard().failReadError = -18;
    ops().readSim(card, nullptr, progress);
    EXPECT_EQ(user.errors, std::vector<std::u16string>{std::u16string(kTechnicalProblemText)});
    ops().readSim(card, nullptr, progress);
    EXPECT_EQ(user.errors.size(), 2u);
}

TEST_F(Ops, WriteSimWritesOnlyChangedBooksAndAFailedWriteStaysChanged) {
    fakeCard().pin1Enabled = false;
    ops().readSim(card, nullptr, progress);
    book(0x6F3A).storeEntry(0, contact(u"Zoe", u"9"));
    book(0x6F3A).markChanged();
    user.pins = {u"5678"};
    CardReport report = ops().writeSim(card, nullptr, {}, progress);
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(report.done, std::vector<uint16_t>{0x6F3A});
    EXPECT_EQ(report.skipped, std::vector<uint16_t>{0x6F3B});
    EXPECT_TRUE(user.asked.empty()); // PIN1 disabled, UPDATE condition 1: nothing asked
    EXPECT_EQ(fieldText(fakeCard().books[0x6F3A].records[0].name), u"Zoe");
    EXPECT_TRUE(book(0x6F3A).unchanged());

    book(0x6F3A).storeEntry(1, contact(u"Yan", u"8"));
    book(0x6F3A).markChanged();
    fakeCard().failWriteKind = 0x6F3A;
    report = ops().writeSim(card, nullptr, {}, progress);
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(report.failed, std::vector<uint16_t>{0x6F3A});
    EXPECT_FALSE(book(0x6F3A).unchanged());
}

TEST_F(Ops, FdnWriteAsksForPin2OncePerConnection) {
    fakeCard().pin1Enabled = false;
    ops().readSim(card, nullptr, progress);
    user.pins = {u"5678"};
    for (int round = 0; round < 2; ++round) {
        book(0x6F3B).storeEntry(0, contact(u"Doc", std::u16string(1, u'1' + round)));
        book(0x6F3B).markChanged();
        const CardReport report = ops().writeSim(card, nullptr, {}, progress);
        EXPECT_TRUE(report.ok()) << round;
    }
    EXPECT_EQ(user.asked, (std::vector<std::string>{"pin2 3"}));
    EXPECT_EQ(fieldText(fakeCard().books[0x6F3B].records[0].value0), u"2");
}

TEST_F(Ops, CancelledPin2StopsTheWriteThere) {
    fakeCard().pin1Enabled = false;
    ops().readSim(card, nullptr, progress);
    book(0x6F3B).markChanged();
    const CardReport report = ops().writeSim(card, nullptr, {}, progress);
    EXPECT_TRUE(report.stopped);
    EXPECT_FALSE(report.ok());
    EXPECT_FALSE(book(0x6F3B).unchanged());
}

TEST_F(Ops, FileDocumentWritesEveryBookToTheChosenReaderAndStaysUnsaved) {
    fakeCard().pin1Enabled = false;
    FileDocument file;
    Category& adn = file.addCategory(0x6F3A, 4);
    adn.storeEntry(0, contact(u"File", u"1"));
    adn.markChanged();
    file.addCategory(0x6F3B, 0);
    user.pins = {u"5678"};
    CardDocument* const readers[] = {&card};
    const CardReport report = ops().writeSim(file, nullptr, readers, progress);
    EXPECT_TRUE(report.ok());
    // Written whether changed or not; the FDN book needs PIN2 first.
    EXPECT_EQ(user.asked, (std::vector<std::string>{"reader", "pin2 3"}));
    EXPECT_EQ(report.done, (std::vector<uint16_t>{0x6F3A, 0x6F3B}));
    EXPECT_EQ(fieldText(fakeCard().books[0x6F3A].records[0].name), u"File");
    EXPECT_FALSE(adn.unchanged());
}

TEST_F(Ops, EntriesBeyondTheCardsRecordsAreNamedBeforeAnythingIsWritten) {
    standardCard(3);
    fakeCard().pin1Enabled = false;
    FileDocument file;
    Category& adn = file.addCategory(0x6F3A, 6);
    adn.storeEntry(0, contact(u"A", u"1"));
    adn.storeEntry(4, contact(u"E", u"5"));
    CardDocument* const readers[] = {&card};
    CardReport report = ops().writeSim(file, nullptr, readers, progress);
    EXPECT_EQ(user.cutSlots, std::vector<int>{4});
    EXPECT_EQ(report.skipped, std::vector<uint16_t>{0x6F3A});
    EXPECT_EQ(fakeCard().calls["set_phone_book"], 0);
    user.allowCut = true;
    report = ops().writeSim(file, nullptr, readers, progress);
    EXPECT_EQ(report.done, std::vector<uint16_t>{0x6F3A});
}

TEST_F(Ops, ReconnectedSameCardKeepsItsEditsAnotherCardAsksFirst) {
    fakeCard().pin1Enabled = false;
    ops().readSim(card, nullptr, progress);
    book(0x6F3A).storeEntry(0, contact(u"Kept", u"1"));
    book(0x6F3A).markChanged();
    calls.close(card); // a reset or suspend dropped the connection
    CardDocument* const candidates[] = {&card};
    ASSERT_EQ(ops().openCard(candidates), &card);
    EXPECT_EQ(nameIn(book(0x6F3A), 0), u"Kept");

    calls.close(card);
    fakeCard().iccid = u"8931000000000000002";
    EXPECT_EQ(ops().openCard(candidates), nullptr);
    EXPECT_EQ(user.asked, (std::vector<std::string>{"discard"}));
    EXPECT_EQ(nameIn(book(0x6F3A), 0), u"Kept");
    user.allowDiscard = true;
    EXPECT_EQ(ops().openCard(candidates), &card);
    EXPECT_TRUE(book(0x6F3A).unchanged());
    EXPECT_EQ(book(0x6F3A).slotCount(), 0u);
}

TEST_F(Ops, BackupReplacesAnExistingFileOnlyOnSuccess) {
    fakeCard().pin1Enabled = false;
    const auto folder =
        std::filesystem::temp_directory_path() / ("cardops-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto file = folder / "card.bsf";
    { std::ofstream(file) << "old backup\n"; }
    auto contents = [&] {
        std::ifstream in(file);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    };
    fakeCard().failBackup = true;
    CardReport report = ops().backupSim(card, file, progress);
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(contents(), "old backup\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
    fakeCard().failBackup = false;
    report = ops().backupSim(card, file, progress);
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(contents(), "[Backup]\ncomplete=1\n");
    EXPECT_TRUE(ops().restoreSim(card, file, progress).ok());
    EXPECT_FALSE(ops().restoreSim(card, folder / "missing.bsf", progress).ok());
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace pelmora::model::test
