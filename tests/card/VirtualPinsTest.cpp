// The PIN flows through the real plug-in: what the user is asked, what the
// card ends up with, and that no PIN reaches a log.
#include "VirtualCardOps.h"

#include <fstream>
#include <sstream>

namespace pelmora::model::test {
namespace {

class VirtualPins : public VirtualCardOps {
protected:
    // The card's PIN state as a fresh connection sees it.
    SimInfo cardState() {
        calls.close(card);
        CardDocument probe;
        EXPECT_NE(calls.connect(probe, card.reader), 0);
        const SimInfo info = probe.info;
        calls.close(probe);
        return info;
    }
    bool opens() {
        CardDocument* const one[] = {&card};
        return ops().openCard(one) == &card;
    }
};

TEST_F(VirtualPins, OpenCardAsksForPin1OrThePukFirst) {
    const struct {
        std::string attempts; // PIN1 attempts on the card
        std::deque<std::u16string> pins, puks;
        std::vector<std::string> asked;
        bool opened;
    } cases[] = {
        {"3", {u"1234"}, {}, {"pin1 3"}, true},
        // A wrong PIN keeps asking, with the count the card now gives.
        {"3", {u"0000", u"1234"}, {}, {"pin1 3", "pin1 2 red"}, true},
        // A blocked PIN1 needs its PUK before anything else.
        {"0", {}, {u"12345678", u"4321"}, {"puk1 10"}, true},
        {"0", {u"1234"}, {}, {"puk1 10"}, false},
    };
    for (const auto& c : cases) {
        insert(CardProfile().set("Card", "CHV1Attempts", c.attempts));
        calls.close(card);
        user.asked.clear();
        user.pins = c.pins;
        user.puks = c.puks;
        EXPECT_EQ(opens(), c.opened) << c.attempts << " " << c.asked.size();
        EXPECT_EQ(user.asked, c.asked);
    }
}

TEST_F(VirtualPins, APinThatBecomesBlockedStopsTheCommand) {
    insert(CardProfile().set("Card", "CHV1Attempts", "1"));
    user.pins = {u"0000"};
    const CardReport report = commands().readSim(card, nullptr, progress);
    EXPECT_FALSE(report.ok());
    EXPECT_TRUE(report.done.empty());
    EXPECT_EQ(user.notices, std::vector<PinNotice>{PinNotice::PinBlocked});
    EXPECT_EQ(card.connection, nullptr);
    EXPECT_EQ(cardState().pin1Attempts, 0);
}

TEST_F(VirtualPins, ACardPulledOnOkStopsTheCommand) {
    ASSERT_EQ(sim().addFault("A020=pull"), 0) << sim().lastError(); // VERIFY CHV
    user.pins = {u"1234", u"1234"};
    EXPECT_FALSE(commands().readSim(card, nullptr, progress).ok());
    EXPECT_EQ(user.notices, std::vector<PinNotice>{PinNotice::CardNotAnswering});
    EXPECT_EQ(user.asked, std::vector<std::string>{"pin1 3"});
    EXPECT_TRUE(card.categories().empty());
}

TEST_F(VirtualPins, ChangePin1WithPin1DisabledAsksForItAndEnablesIt) {
    insert(CardProfile().set("Card", "CHV1Enabled", "0"));
    user.pins = {u"1234"};
    user.changes = {{false, u"4321", u"4321"}};
    EXPECT_TRUE(commands().changePin(card, 1));
    EXPECT_EQ(user.asked, (std::vector<std::string>{"pin1 3", "change1"}));
    EXPECT_EQ(cardState().pin1Enabled, 1);
    EXPECT_EQ(user.stops, 1);
    EXPECT_EQ(user.restarts, 1);
    // The PIN given was enabled, and the change then took the new one.
    CardDocument probe;
    ASSERT_NE(calls.connect(probe, card.reader), 0);
    EXPECT_NE(calls.verifyPin(probe, 1, u"4321"), 0);
    calls.close(probe);
}

TEST_F(VirtualPins, ANewPinIsSetOnlyOnceConfirmedAndARefusalIsAFailure) {
    user.pins = {u"1234"};
    user.changes = {{false, u"1111", u"2222"}, {false, u"5555", u"5555"}};
    EXPECT_TRUE(commands().changePin(card, 1));
    EXPECT_EQ(user.notices, std::vector<PinNotice>{PinNotice::PinsDiffer});
    EXPECT_EQ(card.pin1().view(), u"5555");
    EXPECT_EQ(cardState().pin1Attempts, 3); // no wrong attempt was spent

    ASSERT_EQ(sim().addFault("A026=6982"), 0); // DISABLE CHV refused
    user.pins = {u"5555"};
    user.notices.clear();
    user.changes = {{true, u"", u""}};
    EXPECT_FALSE(commands().changePin(card, 1));
    EXPECT_EQ(user.notices, std::vector<PinNotice>{PinNotice::CardRefused});
    EXPECT_EQ(cardState().pin1Enabled, 1);
}

TEST_F(VirtualPins, TracesOfEveryPinCommandHoldNoPin) {
    for (const char* name : {"wenlo", "wenlo_dll", "asd"}) {
        std::ofstream(tempDir() / "log" / (std::string(name) + ".log")) << "3\r\n";
    }
    // Codes that appear nowhere else on the card, in text or as bytes.
    insert(CardProfile()
               .set("Card", "CHV1", "9731")
               .set("Card", "CHV1Attempts", "1")
               .set("Card", "UnblockCHV1", "46025813")
               .set("Card", "CHV2", "8642"));
    binding.unbind(); // the plug-in starts its log when it is loaded
    ASSERT_TRUE(binding.bindLibrary(BRONTEL_PATH));
    user.pins = {u"8259"}; // a wrong PIN1 blocks it
    ASSERT_FALSE(commands().readSim(card, nullptr, progress).ok());
    user.puks = {u"46025813", u"7319"}; // unblocks it with a new PIN
    user.changes = {{false, u"6284", u"6284"}};
    user.pins = {u"8642"}; // PIN2 for the FDN write
    ASSERT_TRUE(commands().changePin(card, 1));
    ASSERT_TRUE(commands().readSim(card, nullptr, progress).ok());
    Category& fdn = *card.category(kBookFdn);
    fdn.entries()[0] = contact(u"Fixed", u"+4499");
    fdn.markChanged();
    ASSERT_TRUE(commands().writeSim(card, nullptr, {}, progress).ok());
    calls.close(card);
    binding.unbind();

    std::string logs;
    for (const auto& entry : std::filesystem::directory_iterator(tempDir() / "log")) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        logs += s.str();
    }
    EXPECT_GT(logs.size(), 1000u) << "tracing was off";
    for (const char* secret : {"8259", "9731", "46025813", "7319", "6284", "8642"}) {
        std::string hex; // as APDU bytes: the digits in ASCII
        for (const char* p = secret; *p != '\0'; ++p) {
            hex += "3" + std::string(1, *p);
        }
        EXPECT_EQ(logs.find(secret), std::string::npos) << secret;
        EXPECT_EQ(logs.find(hex), std::string::npos) << hex;
    }
}

} // namespace
} // namespace pelmora::model::test
