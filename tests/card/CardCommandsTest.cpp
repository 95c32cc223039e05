// Card commands that return at once: asked on the test's thread (the "UI
// thread"), worked on a worker, applied back on the test's thread.

#include "CardCommands.h"
#include "CardTestSupport.h"
#include "FileDocument.h"
#include "UiTaskQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

namespace pelmora::model::test {
namespace {

// Every question must come on the UI thread.
struct UiThreadUser : ScriptedUser {
    std::thread::id ui = std::this_thread::get_id();
    int offThread = 0;
    std::function<void()> onPin; // what the user does when asked for a PIN
    void check() { offThread += std::this_thread::get_id() != ui ? 1 : 0; }
    bool askPin(int type, int attempts, bool failed, SecretText& pin) override {
        check();
        if (onPin) {
            onPin();
        }
        return ScriptedUser::askPin(type, attempts, failed, pin);
    }
    bool askChange(int type, int attempts, bool pin1Disabled, bool failed,
                   PinChange& answer) override {
        check();
        return ScriptedUser::askChange(type, attempts, pin1Disabled, failed, answer);
    }
    void notice(int type, PinNotice notice) override {
        check();
        ScriptedUser::notice(type, notice);
    }
    CardDocument* chooseReader(const std::vector<CardDocument*>& readers) override {
        check();
        return ScriptedUser::chooseReader(readers);
    }
    bool confirmDiscard(CardDocument& document) override {
        check();
        return ScriptedUser::confirmDiscard(document);
    }
    bool confirmCut(uint16_t kind, const std::vector<int>& slots) override {
        check();
        return ScriptedUser::confirmCut(kind, slots);
    }
    void showError(std::u16string_view text) override {
        check();
        ScriptedUser::showError(text);
    }
};

struct RecordedProgress : JobProgress {
    std::thread::id ui = std::this_thread::get_id();
    int steps = 0, offThread = 0, ends = 0;
    std::u16string lastTitle;
    void check() { offThread += std::this_thread::get_id() != ui ? 1 : 0; }
    void title(std::u16string_view text) override {
        check();
        lastTitle = text;
    }
    void status(std::u16string_view) override { check(); }
    void range(int) override { check(); }
    void step() override {
        check();
        ++steps;
    }
    void done() override {
        check();
        ++ends;
    }
};

// Holds the worker at a record until the test lets it go; the UI thread
// can run what the worker posts until the worker got there.
struct Gate {
    std::promise<void> open;
    std::shared_future<void> opened = open.get_future().share();
    std::atomic<bool> reached{false};
    void hold(UiThread& ui) {
        if (!reached.exchange(true)) {
            ui.post([] {}); // wakes the UI thread to look
        }
        opened.wait();
    }
};

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        standardCard();
        for (int i = 0; i < 10; ++i) {
            fakeCard().books[0x6F3A].records[static_cast<size_t>(i)] =
                contact(u"Name " + std::u16string(1, static_cast<char16_t>(u'0' + i)), u"555");
        }
        ASSERT_TRUE(bindFake(binding));
        card.reader = u"Reader A";
        user.pins = {u"1234"};
    }
    void TearDown() override {
        EXPECT_EQ(user.offThread, 0);
        EXPECT_EQ(progress.offThread, 0);
        fakeCard().onRecord = nullptr;
    }
    // Runs the UI thread's tasks until the command has finished.
    void finish(const std::shared_ptr<CardCommand>& command) {
        const int ends = progress.ends;
        ui.runUntil([&] { return command->finished(); });
        EXPECT_EQ(progress.ends, ends + 1);
    }
    void readAll() { finish(commands.readSim(card, nullptr, progress)); }
    // The card was taken out after an edit; another card with PIN1 on is in
    // the reader now. Opening it asks to drop the edit and for PIN1.
    void anotherCardAfterAnEdit(char16_t iccidEnd) {
        user.pins = {u"1234"};
        readAll();
        ASSERT_TRUE(card.category(0x6F3A)->storeEntry(0, contact(u"Edited", u"1")));
        operations.closeCard(card);
        fakeCard().iccid.back() = iccidEnd;
        fakeCard().callerThreads.clear();
        user.asked.clear();
        user.pins = {u"1234"};
    }

    EnglishTexts texts;
    PluginBinding binding;
    PluginCalls calls{binding};
    UiThreadUser user;
    RecordedProgress progress;
    UiTaskQueue ui;
    CardDocument card;
    CardOperations operations{calls, user, user, CardOptions{}};
    CardCommands commands{operations, calls, ui};
};

TEST_F(Commands, ReadReturnsBeforeTheCardWorkEndsAndProgressArrivesOnTheUiThread) {
    Gate gate;
    fakeCard().onRecord = [&](int) { gate.hold(ui); };
    const auto command = commands.readSim(card, nullptr, progress);
    EXPECT_FALSE(command->finished());
    ui.runUntil([&] { return gate.reached.load(); }); // the card is open, its books probed
    ASSERT_NE(card.category(0x6F3A), nullptr);
    EXPECT_EQ(card.category(0x6F3A)->slotCount(), 0u); // nothing lands before the apply
    gate.open.set_value();
    finish(command);
    EXPECT_TRUE(command->report().opened);
    EXPECT_TRUE(command->report().ok());
    EXPECT_GT(progress.steps, 0);
    EXPECT_FALSE(progress.lastTitle.empty());
    EXPECT_EQ(card.category(0x6F3A)->slotCount(), 10u);
    EXPECT_EQ(fieldText(card.category(0x6F3A)->entry(0)->name), u"Name 0");
    EXPECT_EQ(user.stops, 1);
    EXPECT_EQ(user.restarts, 1);
}

TEST_F(Commands, ReadCancelledMidBookLeavesTheBookExactlyAsItWas) {
    readAll();
    Category& adn = *card.category(0x6F3A);
    ASSERT_TRUE(adn.storeEntry(9, contact(u"Mine", u"1")));
    const std::vector<PhoneBookEntry> before(adn.entries().begin(), adn.entries().end());
    fakeCard().books[0x6F3A].records[0] = contact(u"Changed on the card", u"2");

    Gate gate;
    std::shared_ptr<CardCommand> command;
    fakeCard().onRecord = [&](int record) {
        gate.opened.wait();
        if (record == 3) {
            command->cancel();
        }
    };
    command = commands.readSim(card, nullptr, progress);
    gate.open.set_value();
    finish(command);

    EXPECT_TRUE(command->report().cancelled);
    EXPECT_FALSE(command->report().ok());
    ASSERT_EQ(adn.slotCount(), before.size());
    EXPECT_EQ(std::memcmp(adn.entries().data(), before.data(), before.size() * sizeof before[0]),
              0);
    EXPECT_FALSE(adn.unchanged());
    EXPECT_TRUE(adn.canUndo());
}

TEST_F(Commands, WriteCancelledMidBookReportsTheRecordsWrittenAndKeepsTheBookChanged) {
    readAll();
    Category& adn = *card.category(0x6F3A);
    ASSERT_TRUE(adn.storeEntry(0, contact(u"Edited", u"3")));
    std::shared_ptr<CardCommand> command;
    Gate gate;
    fakeCard().onRecord = [&](int record) {
        gate.opened.wait();
        if (record == 3) {
            command->cancel();
        }
    };
    command = commands.writeSim(card, nullptr, {}, progress);
    gate.open.set_value();
    finish(command);

    const CardReport& report = command->report();
    EXPECT_TRUE(report.cancelled);
    // The plug-in finishes the book it is writing; the next is not begun.
    EXPECT_EQ(report.recordsWritten, 10);
    EXPECT_EQ(fieldText(fakeCard().books[0x6F3A].records[0].name), u"Edited");
    EXPECT_FALSE(adn.unchanged());
}

TEST_F(Commands, WriteMarksTheBookUnchangedUnlessEditedMeanwhile) {
    readAll();
    Category& adn = *card.category(0x6F3A);
    ASSERT_TRUE(adn.storeEntry(0, contact(u"Edited", u"3")));
    finish(commands.writeSim(card, nullptr, {}, progress));
    EXPECT_TRUE(adn.unchanged());

    ASSERT_TRUE(adn.storeEntry(1, contact(u"Again", u"4")));
    Gate gate;
    fakeCard().onRecord = [&](int) { gate.hold(ui); };
    const auto command = commands.writeSim(card, nullptr, {}, progress);
    ui.runUntil([&] { return gate.reached.load(); });
    ASSERT_TRUE(adn.storeEntry(2, contact(u"While writing", u"5")));
    gate.open.set_value();
    finish(command);
    EXPECT_FALSE(adn.unchanged());
    EXPECT_EQ(fieldText(fakeCard().books[0x6F3A].records[1].name), u"Again");
    EXPECT_EQ(fieldText(fakeCard().books[0x6F3A].records[2].name), u"Name 2");
}

TEST_F(Commands, Pin2NeededMidRestoreIsAskedOnTheUiThreadWhileTheWorkerWaits) {
    const std::filesystem::path file =
        std::filesystem::path(::testing::TempDir()) / "pin2-restore.bsf";
    std::ofstream(file) << "[7F10 - 6F3B]\n1=00\n";
    user.pins = {u"1234", u"5678"};
    std::thread::id restoredOn;
    fakeCard().onRestore = [&] { restoredOn = std::this_thread::get_id(); };
    finish(commands.restoreSim(card, file, progress));

    EXPECT_EQ(user.asked, (std::vector<std::string>{"pin1 3", "pin2 3"}));
    EXPECT_EQ(fakeCard().calls["restore_sim"], 1);
    EXPECT_NE(restoredOn, std::this_thread::get_id());
    EXPECT_TRUE(fakeCard().pin2Verified);
    fakeCard().onRestore = nullptr;
}

TEST_F(Commands, ChangePinReturnsBeforeTheCardWorkEndsAndAsksOnlyOnTheUiThread) {
    user.pins = {u"1234", u"5678"};
    user.changes = {{false, u"1111", u"2222"}, {false, u"4321", u"4321"}};
    const auto command = commands.pinFlow(card, PinFlowKind::Change, 2, progress);
    EXPECT_FALSE(command->finished());
    EXPECT_EQ(fakeCard().calls["change_pin2"], 0); // its questions wait for the UI thread
    finish(command);
    EXPECT_TRUE(command->report().ok());
    EXPECT_EQ(user.asked, (std::vector<std::string>{"pin1 3", "pin2 3", "change2", "change2"}));
    EXPECT_EQ(user.notices, std::vector<PinNotice>{PinNotice::PinsDiffer});
    EXPECT_EQ(fakeCard().pin2, u"4321");
}

TEST_F(Commands, ACommandThatOpensNoCardEndsThroughTheUiThreadAlike) {
    fakeCard().present = false;
    const auto command = commands.readSim(card, nullptr, progress);
    EXPECT_FALSE(command->finished());
    finish(command);
    EXPECT_FALSE(command->report().opened);
    EXPECT_EQ(user.restarts, 1);
}

TEST_F(Commands, EveryCommandOpensTheCardOnItsWorkerAndAsksOnlyOnTheUiThread) {
    const std::filesystem::path file = std::filesystem::path(::testing::TempDir()) / "open.csv";
    FileDocument phonebook(u"book.phn");
    phonebook.addCategory(0x6F3A, 10);
    CardDocument* const readers[] = {&card};
    using Start = std::function<std::shared_ptr<CardCommand>()>;
    const struct {
        const char* name;
        Start start;
        std::vector<std::string> firstAsked;
    } cases[] = {
        {"read", [&] { return commands.readSim(card, nullptr, progress); }, {"discard", "pin1 3"}},
        {"write",
         [&] { return commands.writeSim(card, nullptr, {}, progress); },
         {"discard", "pin1 3"}},
        {"write a file",
         [&] { return commands.writeSim(phonebook, nullptr, readers, progress); },
         {"reader", "discard", "pin1 3"}},
        {"restore",
         [&] { return commands.restoreSim(card, file, progress); },
         {"discard", "pin1 3"}},
        {"change PIN2",
         [&] { return commands.pinFlow(card, PinFlowKind::Change, 2, progress); },
         {"discard", "pin1 3"}},
        {"properties",
         [&] { return commands.readProperties(card, -1, false, progress); },
         {"discard", "pin1 3"}},
        {"save info",
         [&] { return commands.saveInfo(card, file, progress); },
         {"discard", "pin1 3"}},
    };
    char16_t iccidEnd = u'2';
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        anotherCardAfterAnEdit(iccidEnd++);
        user.allowDiscard = true;
        finish(c.start());
        EXPECT_FALSE(fakeCard().callerThreads.empty());
        EXPECT_FALSE(fakeCard().callerThreads.contains(std::this_thread::get_id()));
        ASSERT_GE(user.asked.size(), c.firstAsked.size());
        EXPECT_EQ(std::vector(user.asked.begin(), user.asked.begin() + c.firstAsked.size()),
                  c.firstAsked);
        EXPECT_EQ(card.booksCardId, fakeCard().iccid);
    }
}

TEST_F(Commands, ACommandCancelledWhileOpeningChangesNothing) {
    anotherCardAfterAnEdit(u'2');
    user.allowDiscard = true;
    std::shared_ptr<CardCommand> command;
    user.onPin = [&] { command->cancel(); };
    command = commands.readSim(card, nullptr, progress);
    finish(command);
    EXPECT_TRUE(command->report().cancelled);
    EXPECT_FALSE(command->report().opened);
    EXPECT_EQ(user.asked, (std::vector<std::string>{"discard", "pin1 3"}));
    EXPECT_EQ(card.connection, nullptr);
    EXPECT_NE(card.booksCardId, fakeCard().iccid);
    EXPECT_EQ(fieldText(card.category(0x6F3A)->entry(0)->name), u"Edited");
}

} // namespace
} // namespace pelmora::model::test
