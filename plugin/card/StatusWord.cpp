#include "card/StatusWord.h"

#include <array>

namespace brontel {

namespace {

struct Rule {
    uint8_t sw1;
    uint8_t sw2First;
    uint8_t sw2Last;
    bool success;
    int32_t simError;
};

// First matching row wins; a row ending at FF closes its SW1 group.
constexpr std::array kRules{
    Rule{0x90, 0x00, 0x00, true, kSimErrorNone},  // normal ending
    Rule{0x90, 0x00, 0xFF, false, kSimErrorNone}, //
    Rule{0x9E, 0x00, 0x00, true, kSimErrorNone},  //
    Rule{0x9E, 0x00, 0xFF, false, kSimErrorNone}, // data download error with response data
    Rule{0x91, 0x00, 0xFF, true, kSimErrorNone},  // proactive command pending
    Rule{0x9F, 0x00, 0xFF, true, kSimErrorNone},  // SW2 bytes of response data waiting
    Rule{0x92, 0x40, 0x40, false, kSimErrorMemoryProblem},
    Rule{0x92, 0x00, 0x0F, false, kSimErrorUpdateWithRetries}, // done, but only after retries
    Rule{0x92, 0x00, 0xFF, true, kSimErrorNone},
    Rule{0x93, 0x00, 0x00, false, kSimErrorNone}, // toolkit busy
    Rule{0x93, 0x00, 0xFF, true, kSimErrorNone},
    Rule{0x94, 0x00, 0x00, false, kSimErrorNoEfSelected},
    Rule{0x94, 0x02, 0x02, false, kSimErrorOutOfRange},
    Rule{0x94, 0x04, 0x04, false, kSimErrorFileNotFound},
    Rule{0x94, 0x08, 0x08, false, kSimErrorFileInconsistent},
    Rule{0x94, 0x00, 0xFF, true, kSimErrorNone},
    Rule{0x98, 0x02, 0x02, false, kSimErrorNoChvInitialised},
    Rule{0x98, 0x04, 0x04, false, kSimErrorAccessNotFulfilled}, // or wrong CHV, attempts left
    Rule{0x98, 0x08, 0x08, false, kSimErrorContradictsChvStatus},
    Rule{0x98, 0x10, 0x10, false, kSimErrorContradictsInvalidation},
    Rule{0x98, 0x40, 0x40, false, kSimErrorChvBlocked},
    Rule{0x98, 0x50, 0x50, false, kSimErrorIncreaseNotPossible},
    Rule{0x98, 0x00, 0xFF, true, kSimErrorNone},
    Rule{0x67, 0x00, 0xFF, false, kSimErrorWrongLength},
    Rule{0x6B, 0x00, 0xFF, false, kSimErrorWrongParameters},
    Rule{0x6D, 0x00, 0xFF, false, kSimErrorUnknownInstruction},
    Rule{0x6E, 0x00, 0xFF, false, kSimErrorWrongClass},
    Rule{0x6F, 0x00, 0xFF, false, kSimErrorTechnicalProblem},
    // Cards that answer with ISO 7816-4 words say "file not found" so.
    Rule{0x6A, 0x82, 0x82, false, kSimErrorFileNotFound},
};

// A UICC's words; 9000, 91xx and what a UICC shares with a SIM (6700,
// 6B00, 6D00, 6E00, 6F00, 6A82) fall through to the table above.
constexpr std::array kUiccRules{
    Rule{0x61, 0x00, 0xFF, true, kSimErrorNone},                // response bytes waiting
    Rule{0x62, 0x83, 0x83, true, kSimErrorNone},                // selected file deactivated
    Rule{0x63, 0xC0, 0xCF, false, kSimErrorAccessNotFulfilled}, // verification failed, X left
    Rule{0x64, 0x00, 0xFF, false, kSimErrorTechnicalProblem},
    Rule{0x65, 0x81, 0x81, false, kSimErrorMemoryProblem},
    Rule{0x68, 0x00, 0xFF, false, kSimErrorWrongClass}, // logical channel, secure messaging
    Rule{0x69, 0x81, 0x81, false, kSimErrorFileInconsistent},
    Rule{0x69, 0x82, 0x82, false, kSimErrorAccessNotFulfilled},
    Rule{0x69, 0x83, 0x83, false, kSimErrorChvBlocked},
    Rule{0x69, 0x84, 0x84, false, kSimErrorContradictsInvalidation},
    Rule{0x69, 0x85, 0x85, false, kSimErrorContradictsChvStatus},
    Rule{0x69, 0x86, 0x86, false, kSimErrorNoEfSelected},
    Rule{0x6A, 0x80, 0x80, false, kSimErrorWrongParameters},
    Rule{0x6A, 0x81, 0x81, false, kSimErrorUnknownInstruction},
    Rule{0x6A, 0x83, 0x83, false, kSimErrorOutOfRange},
    Rule{0x6A, 0x84, 0x84, false, kSimErrorMemoryProblem},
    Rule{0x6A, 0x86, 0x87, false, kSimErrorWrongParameters},
    Rule{0x6A, 0x88, 0x88, false, kSimErrorNoChvInitialised},
    Rule{0x6C, 0x00, 0xFF, false, kSimErrorWrongLength},
};

template <size_t N> const Rule* findRule(const std::array<Rule, N>& rules, StatusWord sw) {
    for (const Rule& rule : rules) {
        if (rule.sw1 == sw.sw1 && sw.sw2 >= rule.sw2First && sw.sw2 <= rule.sw2Last) {
            return &rule;
        }
    }
    return nullptr;
}

} // namespace

StatusWordVerdict judge(StatusWord sw) {
    const Rule* rule = findRule(kRules, sw);
    return rule ? StatusWordVerdict{rule->success, rule->simError}
                : StatusWordVerdict{false, kSimErrorNone};
}

StatusWordVerdict judge_uicc(StatusWord sw) {
    if (const Rule* rule = findRule(kUiccRules, sw)) {
        return {rule->success, rule->simError};
    }
    return judge(sw);
}

} // namespace brontel
