#pragma once
// Card operations through the real libBrontel.so over the virtual SIM. The
// test plays the user (ScriptedUser) and the hardware (the virtual SIM's
// controls): it shapes the card from the demo card's profile, pulls cards,
// plugs readers in and out and makes chosen commands fail.

#include "CardTestSupport.h"

#include "VirtualSimControls.h"

#include <filesystem>
#include <string>

namespace pelmora::model::test {

// The demo card's profile with changes: a key of a section set (section
// "Card" for the codes), or a record file's records replaced.
class CardProfile {
public:
    CardProfile();
    CardProfile& set(const std::string& section, const std::string& key, const std::string& value);
    // Drops every record of the file, then gives it these (1-based numbers).
    CardProfile& records(const std::string& section,
                         const std::vector<std::pair<int, std::string>>& records);
    [[nodiscard]] const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

// An ADN or MSISDN record of 28 bytes: the name in the default alphabet, the
// number in international BCD ("" for none).
std::string adnRecord(const std::string& name, const std::string& number);

class VirtualCardOps : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static const VirtualSimControls& sim();
    void insert(const CardProfile& profile, int reader = 0);
    CardOperations ops(CardOptions options = {}) {
        return CardOperations(calls, user, user, options);
    }
    WaitedCommands commands(CardOptions options = {}) {
        return WaitedCommands(calls, user, user, options);
    }
    // A folder of this test's own, removed afterwards; its "log" folder is
    // the plug-in's log root.
    [[nodiscard]] const std::filesystem::path& tempDir() const { return m_temp; }

    EnglishTexts texts;
    PluginBinding binding;
    PluginCalls calls{binding};
    ScriptedUser user;
    SilentProgress progress;
    CardDocument card;

private:
    std::filesystem::path m_temp;
};

// The records of the card's book as the plug-in reads them now (PIN1 given).
std::vector<PhoneBookEntry> cardBook(const PluginCalls& calls, CardDocument& card, int kind);

} // namespace pelmora::model::test
