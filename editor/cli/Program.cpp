#include "Program.h"

#include "Commands.h"
#include "Failure.h"
#include "LangText.h"
#include "Session.h"
#include "Terminal.h"

#include <filesystem>
#include <optional>

namespace pelmora::cli {

namespace {

constexpr std::string_view kVersion = "velmet-cli 2.1.0";

void printProgramHelp() {
    printLine(std::string("Usage: velmet-cli [--settings FILE] COMMAND [OPTIONS] [ARGUMENTS]\n"
                          "\n"
                          "The editor's card and file work from a terminal.\n"
                          "\n"
                          "Commands:"));
    for (const Command& command : commands()) {
        std::string line = "  " + std::string(command.spec.name);
        line.resize(12, ' ');
        printLine(line + std::string(command.summary));
    }
    printLine(std::string(
        "\n"
        "Card commands work on the reader named with --reader R; without it, on the\n"
        "single reader that holds a card. PINs are typed without echo when asked, or\n"
        "given one per line on standard input with --pin-stdin.\n"
        "\n"
        "  --settings FILE  the settings file to use instead of the editor's Velmet.ini\n"
        "  -h, --help       this help; 'velmet-cli COMMAND --help' for a command\n"
        "  --version        the program's version\n"
        "\n"
        "Exit status: 0 done, 1 the operation failed, 2 wrong usage."));
}

void printCommandHelp(const Command& command) {
    printLine("Usage: velmet-cli " + std::string(command.synopsis) + "\n\n" +
              std::string(command.summary) + ".\n\n" + std::string(command.details));
}

int usageFailure(const UsageError& error) {
    printError("velmet-cli: " + std::string(error.what()));
    printError(error.command().empty() ? std::string("Try 'velmet-cli --help'.")
                                       : "Try 'velmet-cli " + error.command() + " --help'.");
    return kExitUsage;
}

} // namespace

int runProgram(std::span<const std::string> words) {
    try {
        std::optional<std::filesystem::path> settingsFile;
        size_t next = 0;
        while (next < words.size() && words[next].starts_with("-")) {
            const std::string& word = words[next];
            if (word == "--help" || word == "-h") {
                printProgramHelp();
                return kExitOk;
            }
            if (word == "--version") {
                printLine(kVersion);
                return kExitOk;
            }
            if (word == "--settings") {
                if (next + 1 == words.size()) {
                    throw UsageError("option '--settings' needs a value");
                }
                settingsFile = words[next + 1];
                next += 2;
            } else if (word.starts_with("--settings=")) {
                settingsFile = word.substr(11);
                ++next;
            } else {
                throw UsageError("unknown option '" + word + "'");
            }
        }
        if (next == words.size()) {
            throw UsageError("no command given");
        }
        const Command* command = findCommand(words[next]);
        if (command == nullptr) {
            throw UsageError("unknown command '" + words[next] + "'");
        }
        const std::span<const std::string> rest = words.subspan(next + 1);
        if (asksForHelp(rest)) {
            printCommandHelp(*command);
            return kExitOk;
        }
        const Arguments arguments = parseArguments(command->spec, rest);
        Session session(settingsFile);
        const int status = command->run(session, arguments);
        if (!flushOutput()) {
            throw Failure(utf8(velmet::langText(462)));
        }
        return status;
    } catch (const UsageError& error) {
        return usageFailure(error);
    } catch (const Failure& error) {
        printError("velmet-cli: " + std::string(error.what()));
        return kExitFailed;
    } catch (const std::exception& error) {
        printError("velmet-cli: " + std::string(error.what()));
        return kExitFailed;
    }
}

} // namespace pelmora::cli
