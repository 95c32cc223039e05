#pragma once
// The diagnostic log: a plain-text file that switches logging on by its mere
// presence. Each deliverable links its own copy of this module (its own state
// and its own log name). Formats are the program's own literals, never text
// from a user, a file or a card.

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace pelmora::log {

enum Level : int { kError = 1, kWarning = 2, kTrace = 3 };

// Finds "<name>.log" in the first log root that holds it, reads the level from
// its first byte and writes the system-information header, describing the
// program and then each of the given modules (files of this build). Does
// nothing once a log file was found.
void init_log(const char* logName, std::span<const std::filesystem::path> modules = {});

// Formats and appends one line. Returns 1 when the line was formatted (even if
// the file could not be opened), 0 when the level filtered it out. errno is
// preserved across the call.
int log_message(int level, const char* tag, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// The log files that the editor's logging option switches on and off: its
// own, its helper's and the card plug-in's, so that the option reaches the
// plug-in's card traces too.
inline constexpr std::array<const char*, 3> kSwitchedLogNames{"wenlo", "wenlo_dll", "asd"};

// Editor only: create "<name>.log" holding "3\r\n" in the first log root
// (creating that folder if needed) unless it exists.
void enable_logging(const char* logName);
// Editor only: enable_logging for every name of kSwitchedLogNames.
void enable_logging();
// Editor only: delete every file of kSwitchedLogNames in every root and
// switch this module's logging off.
void disable_logging();

// The folders that stand for the roots of fixed drives: PELMORA_LOG_ROOTS
// (colon-separated), else $XDG_STATE_HOME/pelmora.
[[nodiscard]] std::vector<std::filesystem::path> log_roots();

} // namespace pelmora::log
