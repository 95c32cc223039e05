// The reader refresh over the virtual SIM's readers, and how a pass makes way
// for a card command.
#include "ReaderRefresh.h"
#include "RefreshWorker.h"
#include "VirtualCardOps.h"

#include <thread>

namespace pelmora::model::test {
namespace {

class ReaderRefresh : public VirtualCardOps {
protected:
    void TearDown() override {
        for (const auto& c : cards) {
            calls.close(*c);
        }
        VirtualCardOps::TearDown();
    }
    RefreshReport pass() { return refreshReaders(calls, cards, nullptr); }
    CardDocument& first() { return *cards.front(); }

    CardDocuments cards;
};

TEST_F(ReaderRefresh, AddsOneDocumentPerReaderAndTellsWhichHoldACard) {
    RefreshReport r = pass();
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(r.added, std::vector<CardDocument*>{&first()});
    EXPECT_EQ(r.present, std::vector<CardDocument*>{&first()});
    EXPECT_EQ(first().reader, card.reader);
    EXPECT_EQ(first().connection, nullptr); // the presence check connects and leaves

    ASSERT_GE(sim().addReader(nullptr), 0);
    r = pass();
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_EQ(r.added, std::vector<CardDocument*>{cards[1].get()});
    EXPECT_EQ(r.empty, std::vector<CardDocument*>{cards[1].get()});
    EXPECT_TRUE(pass().added.empty());
}

TEST_F(ReaderRefresh, APulledCardIsMarkedEmptyWithinOnePass) {
    pass();
    user.pins = {u"1234"};
    const CardReport read = commands().readSim(first(), nullptr, progress);
    ASSERT_TRUE(read.ok());
    ASSERT_NE(first().connection, nullptr);
    ASSERT_EQ(sim().pullCard(0), 0);

    const RefreshReport r = pass();
    EXPECT_EQ(r.empty, std::vector<CardDocument*>{&first()});
    EXPECT_EQ(first().connection, nullptr);
    EXPECT_FALSE(first().pin1().present());
    EXPECT_TRUE(first().categories().empty()); // nothing unsaved to keep
}

TEST_F(ReaderRefresh, BooksWithEditsOutliveAPulledCardAndComeBackWithIt) {
    pass();
    user.pins = {u"1234", u"1234"};
    ASSERT_TRUE(commands().readSim(first(), nullptr, progress).ok());
    Category* adn = first().category(kBookAdn);
    ASSERT_NE(adn, nullptr);
    adn->entries()[0] = contact(u"Edited", u"+111");
    adn->markChanged();
    ASSERT_EQ(sim().pullCard(0), 0);
    EXPECT_EQ(pass().empty.size(), 1u);
    ASSERT_EQ(first().category(kBookAdn), adn);

    insert(CardProfile()); // the same card again
    ASSERT_EQ(pass().present.size(), 1u);
    const CardReport write = commands().writeSim(first(), nullptr, {}, progress);
    EXPECT_TRUE(write.ok());
    EXPECT_TRUE(user.asked.end() == std::find(user.asked.begin(), user.asked.end(), "discard"));
    EXPECT_EQ(fieldText(cardBook(calls, first(), kBookAdn).at(0).name), u"Edited");
}

TEST_F(ReaderRefresh, AnUnpluggedReaderLeavesTheList) {
    ASSERT_GE(sim().addReader(nullptr), 0);
    pass();
    ASSERT_EQ(cards.size(), 2u);
    CardDocument* second = cards[1].get();
    ASSERT_EQ(sim().removeReader(1), 0);

    RefreshReport r = pass();
    ASSERT_EQ(r.removed.size(), 1u);
    EXPECT_EQ(r.removed.front().get(), second);
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards.front()->reader, card.reader);
}

TEST_F(ReaderRefresh, AStoppedPassChangesNothing) {
    const std::atomic<bool> stop{true};
    const RefreshReport r = refreshReaders(calls, cards, &stop);
    EXPECT_TRUE(r.stopped);
    EXPECT_TRUE(cards.empty());
}

// The host a window would be: a job pauses the periodic refresh.
struct PausingHost : ScriptedUser {
    explicit PausingHost(RefreshWorker& w) : worker(w) {}
    void stopRefresh() override { worker.pause(); }
    void restartRefresh() override { worker.resume(); }
    RefreshWorker& worker;
};

// Notes whether a refresh pass was running while the job's worker reported.
struct OverlapProbe : SilentProgress {
    explicit OverlapProbe(const std::atomic<bool>& p) : inPass(p) {}
    void title(std::u16string_view) override { overlapped = overlapped || inPass.load(); }
    const std::atomic<bool>& inPass;
    bool overlapped = false;
};

TEST_F(ReaderRefresh, AJobAsksARunningPassToStopAndWaitsForIt) {
    std::atomic<bool> inPass{false};
    std::atomic<int> passes{0};
    std::atomic<bool> sawStop{false};
    RefreshWorker worker([&](const std::atomic<bool>& stop) {
        inPass = true;
        ++passes;
        // A pass that would go on for long: it ends only when asked to.
        while (!stop.load()) {
            refreshReaders(calls, cards, &stop);
        }
        sawStop = true;
        inPass = false;
    });
    PausingHost host(worker);
    host.pins = {u"1234"};
    ASSERT_TRUE(worker.start());
    while (passes.load() == 0) {
        std::this_thread::yield();
    }
    EXPECT_FALSE(worker.start()); // one pass at a time

    OverlapProbe probe(inPass);
    CardDocument document;
    document.reader = card.reader;
    WaitedCommands commands(calls, host, host, CardOptions{});
    EXPECT_TRUE(commands.readSim(document, nullptr, probe).ok());
    EXPECT_TRUE(sawStop.load());
    EXPECT_FALSE(probe.overlapped);
    EXPECT_FALSE(worker.paused());
    calls.close(document);
}

TEST(RefreshWorker, NoPassStartsWhilePausedAndPausesNest) {
    std::atomic<int> passes{0};
    RefreshWorker worker([&](const std::atomic<bool>&) { ++passes; });
    worker.pause();
    worker.pause();
    EXPECT_FALSE(worker.start());
    worker.resume();
    EXPECT_FALSE(worker.start());
    worker.resume();
    EXPECT_TRUE(worker.start());
    worker.wait();
    EXPECT_EQ(passes.load(), 1);
    EXPECT_TRUE(worker.start()); // the ended pass's thread is taken back first
    worker.wait();
    EXPECT_EQ(passes.load(), 2);
}

} // namespace
} // namespace pelmora::model::test
