#pragma once
// A scripted user for the card-operation tests: PINs and answers queued in
// advance, every question and notice recorded.

#include "CardCommands.h"
#include "CardOperations.h"
#include "FakePlugin.h"
#include "LangText.h"
#include "Records.h"
#include "UiTaskQueue.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace pelmora::model::test {

struct ScriptedUser : PinPrompter, CardHost {
    std::deque<std::u16string> pins; // answers to askPin, in order
    std::deque<std::u16string> puks; // askUnblock: PUK, new PIN (confirmed alike)
    struct Change {
        bool disable;
        std::u16string newPin, confirmation;
    };
    std::deque<Change> changes;
    std::vector<std::string> asked; // "pin1 3", "pin1 2 red", "puk1 10", "change1"
    std::vector<PinNotice> notices;
    std::vector<std::u16string> errors;
    bool allowCut = false;
    bool allowDiscard = false;
    std::vector<int> cutSlots;
    std::vector<Misfit> misfits;
    int stops = 0, restarts = 0;

    bool askPin(int type, int attempts, bool failed, SecretText& pin) override {
        asked.push_back("pin" + std::to_string(type) + " " + std::to_string(attempts) +
                        (failed ? " red" : ""));
        if (pins.empty()) {
            return false;
        }
        pin.assign(pins.front());
        pins.pop_front();
        return true;
    }
    bool askChange(int type, int, bool pin1Disabled, bool, PinChange& answer) override {
        asked.push_back("change" + std::to_string(type) + (pin1Disabled ? " disabled" : ""));
        if (changes.empty()) {
            return false;
        }
        answer.disablePin1 = changes.front().disable;
        answer.newPin.assign(changes.front().newPin);
        answer.confirmation.assign(changes.front().confirmation);
        changes.pop_front();
        return true;
    }
    bool askUnblock(int type, int pukAttempts, bool, PinUnblock& answer) override {
        asked.push_back("puk" + std::to_string(type) + " " + std::to_string(pukAttempts));
        if (puks.size() < 2) {
            return false;
        }
        answer.puk.assign(puks[0]);
        answer.newPin.assign(puks[1]);
        answer.confirmation.assign(puks[1]);
        puks.pop_front();
        puks.pop_front();
        return true;
    }
    void notice(int, PinNotice n) override { notices.push_back(n); }
    void cardError(int, const std::u16string& text) override { errors.push_back(text); }

    std::u16string pickReader; // chooseReader's answer; "": the first one offered
    CardDocument* chooseReader(const std::vector<CardDocument*>& readers) override {
        asked.push_back("reader");
        for (CardDocument* r : readers) {
            if (pickReader.empty() || r->reader == pickReader) {
                return r;
            }
        }
        return nullptr;
    }
    bool allowEmpty = false;
    bool confirmEmptyBook(uint16_t) override {
        asked.push_back("empty");
        return allowEmpty;
    }
    bool confirmDiscard(CardDocument&) override {
        asked.push_back("discard");
        return allowDiscard;
    }
    bool confirmCut(uint16_t, const std::vector<int>& slots) override {
        asked.push_back("cut");
        cutSlots = slots;
        return allowCut;
    }
    bool confirmMisfits(uint16_t kind, const std::vector<Misfit>& named) override {
        misfits = named;
        return CardHost::confirmMisfits(kind, named);
    }
    void showError(std::u16string_view text) override { errors.emplace_back(text); }
    void stopRefresh() override { ++stops; }
    void restartRefresh() override { ++restarts; }
};

// The shipped English texts for a test's length, so that a text number
// mix-up shows.
struct EnglishTexts {
    EnglishTexts() {
        velmet::useLanguage(std::make_shared<velmet::LanguageFile>(
                                velmet::LanguageFile::load(PELMORA_SOURCE_DATA "/lang.ini")),
                            u"en");
    }
    ~EnglishTexts() { velmet::useLanguage(nullptr, u"en"); }
    EnglishTexts(const EnglishTexts&) = delete;
    EnglishTexts& operator=(const EnglishTexts&) = delete;
};

inline PhoneBookEntry contact(std::u16string_view name, std::u16string_view number) {
    PhoneBookEntry e{};
    setFieldText(e.name, name);
    setFieldText(e.value0, number);
    return e;
}

// A card with an ADN book of `records` slots and an FDN book of 5.
inline void standardCard(int records = 10) {
    resetFakeCard();
    FakeCard& c = fakeCard();
    c.books[0x6F3A].records.resize(records);
    c.books[0x6F3B].records.resize(5);
    c.books[0x6F3B].updateCondition = 2;
}

// The card commands run to their end: the test's thread stands for the UI
// thread and runs what a command posts to it until the command has finished.
class WaitedCommands {
public:
    WaitedCommands(const PluginCalls& calls, PinPrompter& prompter, CardHost& host,
                   CardOptions options)
        : m_operations(calls, prompter, host, options), m_commands(m_operations, calls, m_ui) {}
    WaitedCommands(const WaitedCommands&) = delete;
    WaitedCommands& operator=(const WaitedCommands&) = delete;

    CardReport readSim(CardDocument& card, Category* selected, JobProgress& progress) {
        return wait(m_commands.readSim(card, selected, progress));
    }
    CardReport writeSim(Document& document, Category* selected,
                        std::span<CardDocument* const> readers, JobProgress& progress) {
        return wait(m_commands.writeSim(document, selected, readers, progress));
    }
    CardReport backupSim(CardDocument& card, const std::filesystem::path& file,
                         JobProgress& progress) {
        return wait(m_commands.backupSim(card, file, progress));
    }
    CardReport restoreSim(CardDocument& card, const std::filesystem::path& file,
                          JobProgress& progress) {
        return wait(m_commands.restoreSim(card, file, progress));
    }
    // The commands without progress, true when they went through.
    bool changePin(CardDocument& card, int type) {
        return wait(m_commands.pinFlow(card, PinFlowKind::Change, type, m_silent)).ok();
    }
    bool readProperties(CardDocument& card, int kind, SimInfo& info) {
        const auto command = m_commands.readProperties(card, kind, false, m_silent);
        (void)wait(command);
        info = command->cardInfo().value_or(SimInfo{});
        return command->cardInfo().has_value();
    }
    bool saveInfo(CardDocument& card, const std::filesystem::path& file) {
        return wait(m_commands.saveInfo(card, file, m_silent)).ok();
    }

private:
    CardReport wait(const std::shared_ptr<CardCommand>& command) {
        m_ui.runUntil([&] { return command->finished(); });
        return command->report();
    }

    CardOperations m_operations;
    UiTaskQueue m_ui;
    CardCommands m_commands;
    SilentProgress m_silent;
};

class CardOperationsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        standardCard();
        ASSERT_TRUE(bindFake(binding));
        card.reader = u"Reader A";
    }
    CardOperations ops(CardOptions options = {}) {
        return CardOperations(calls, user, user, options);
    }
    WaitedCommands commands(CardOptions options = {}) {
        return WaitedCommands(calls, user, user, options);
    }
    Category& book(uint16_t kind) {
        Category* c = card.category(kind);
        EXPECT_NE(c, nullptr);
        return *c;
    }

    PluginBinding binding;
    PluginCalls calls{binding};
    ScriptedUser user;
    SilentProgress progress;
    CardDocument card;
};

} // namespace pelmora::model::test
