// pin verify|change|unblock 1|2 and pin enable|disable 1.

#include "CardAccess.h"
#include "Commands.h"
#include "Failure.h"
#include "Terminal.h"

#include <array>

namespace pelmora::cli {

namespace {

enum class PinAction { Verify, Change, Unblock, Enable, Disable };

struct ActionWord {
    std::string_view word;
    PinAction action;
};

constexpr std::array<ActionWord, 5> kActions = {{{"verify", PinAction::Verify},
                                                 {"change", PinAction::Change},
                                                 {"unblock", PinAction::Unblock},
                                                 {"enable", PinAction::Enable},
                                                 {"disable", PinAction::Disable}}};

PinAction parseAction(const std::string& word) {
    for (const ActionWord& known : kActions) {
        if (known.word == word) {
            return known.action;
        }
    }
    throw UsageError("'" + word + "' is no PIN action (verify, change, unblock, enable, disable)",
                     "pin");
}

int parseType(const std::string& word, PinAction action) {
    if (word != "1" && word != "2") {
        throw UsageError("the PIN is 1 or 2, not '" + word + "'", "pin");
    }
    const int type = word == "1" ? 1 : 2;
    if (type == 2 && (action == PinAction::Enable || action == PinAction::Disable)) {
        throw UsageError("only the PIN1 check can be switched on and off (GSM has no such "
                         "command for PIN2)",
                         "pin");
    }
    return type;
}

std::string pinName(int type) {
    return "PIN" + std::to_string(type);
}

} // namespace

int runPin(Session& session, const Arguments& arguments) {
    const std::vector<std::string>& words = arguments.positional();
    if (words.size() > 2) {
        throw UsageError(std::string(kNoPinsOnCommandLine), "pin");
    }
    if (words.size() < 2) {
        throw UsageError("name the action and the PIN, for example: pin verify 1", "pin");
    }
    const PinAction action = parseAction(words[0]);
    const int type = parseType(words[1], action);
    CardAccess access(session, arguments, "pin",
                      {.unblockType = action == PinAction::Unblock ? type : 0});
    const std::string name = pinName(type);
    // Opening the card verifies PIN1 when its check is on, or unblocks it first.
    if (action == PinAction::Unblock && type == 1) {
        try {
            access.open();
        } catch (const Failure&) {
            if (!access.prompter().foundNotBlocked()) {
                throw;
            }
        }
        printLine(access.prompter().askedForPuk() ? "PIN1 unblocked." : "PIN1 is not blocked.");
        return kExitOk;
    }
    access.open();
    const model::CardDocument& card = access.card();
    using Flow = model::PinFlowKind;
    switch (action) {
    case PinAction::Verify:
        if (type == 2 && !access.pinFlow(Flow::Verify, 2)) {
            access.fail(name + " was not verified");
        }
        printLine(type == 1 && card.info.pin1Enabled == 0 ? std::string("The PIN1 check is off.")
                                                          : name + " verified.");
        break;
    case PinAction::Unblock:
        if (!access.pinFlow(Flow::Unblock, 2)) {
            access.fail(name + " was not unblocked");
        }
        printLine(access.prompter().askedForPuk() ? "PIN2 unblocked." : "PIN2 is not blocked.");
        break;
    case PinAction::Change:
        if (!access.pinFlow(Flow::Change, type)) {
            access.fail(name + " was not changed");
        }
        printLine(name + " changed.");
        break;
    case PinAction::Enable:
        if (card.info.pin1Enabled != 0) {
            printLine(std::string("The PIN1 check is already on."));
            break;
        }
        // A forced verification of a switched-off PIN1 switches it on.
        if (!access.pinFlow(Flow::Verify, 1)) {
            access.fail("the PIN1 check was not switched on");
        }
        printLine(std::string("The PIN1 check is on."));
        break;
    case PinAction::Disable:
        if (card.info.pin1Enabled == 0) {
            printLine(std::string("The PIN1 check is already off."));
            break;
        }
        access.prompter().answerChangeWith(ChangeAnswer::DisablePin1);
        if (!access.pinFlow(Flow::Change, 1)) {
            access.fail("the PIN1 check was not switched off");
        }
        printLine(std::string("The PIN1 check is off."));
        break;
    }
    return kExitOk;
}

} // namespace pelmora::cli
