#pragma once
// The commands of velmet-cli: their words, help texts and handlers.

#include "Arguments.h"

#include <span>
#include <string_view>

namespace pelmora::cli {

class Session;

struct Command {
    CommandSpec spec;
    std::string_view synopsis; // after "velmet-cli "
    std::string_view summary;  // one line for the program's help
    std::string_view details;  // the command's help, below the synopsis
    int (*run)(Session& session, const Arguments& arguments);
};

[[nodiscard]] std::span<const Command> commands();
// nullptr for an unknown word.
[[nodiscard]] const Command* findCommand(std::string_view name);

// The handlers.
int runReaders(Session& session, const Arguments& arguments);
int runInfo(Session& session, const Arguments& arguments);
int runRead(Session& session, const Arguments& arguments);
int runWrite(Session& session, const Arguments& arguments);
int runBackup(Session& session, const Arguments& arguments);
int runRestore(Session& session, const Arguments& arguments);
int runPin(Session& session, const Arguments& arguments);
int runShow(Session& session, const Arguments& arguments);
int runConvert(Session& session, const Arguments& arguments);
int runSms(Session& session, const Arguments& arguments);
int runPrint(Session& session, const Arguments& arguments);

} // namespace pelmora::cli
