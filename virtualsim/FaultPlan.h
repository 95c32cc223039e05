#pragma once
// Commands a test wants to go wrong, written as rules
//   <selector>[@<reader>][#<n>]=<action>
// (see virtualsim_add_fault in VirtualSimControl.h). The plan is consulted
// for every command a reader is about to send and counts matches itself.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace virtualsim {

struct Fault {
    enum class Kind {
        StatusWord,
        PcscError,
        PullCard,
        RestartService,
        RestartInvalidating,
        ShortAnswer
    };
    Kind kind = Kind::StatusWord;
    uint16_t statusWord = 0;
    uint32_t pcscError = 0;
    uint8_t keptDataBytes = 0; // ShortAnswer: data bytes left before the status word

    bool operator==(const Fault&) const = default;
};

class FaultPlan {
public:
    // Adds the rules of text; on a malformed rule nothing is added and error
    // names the rule.
    bool add(std::string_view text, std::string* error);
    void clear() { m_rules.clear(); }
    [[nodiscard]] bool empty() const { return m_rules.empty(); }

    // The fault for this command, if a rule picks it. Rules are tried in the
    // order they were added; the first that fires wins.
    std::optional<Fault> match(int reader, std::span<const uint8_t> command);

private:
    struct Rule {
        std::vector<uint8_t> prefix; // empty: any command
        std::optional<int> reader;
        unsigned occurrence = 0; // 0: every match
        unsigned seen = 0;
        Fault fault;
    };
    static std::optional<Rule> parseRule(std::string_view text);

    std::vector<Rule> m_rules;
};

} // namespace virtualsim
