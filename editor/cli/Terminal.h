#pragma once
// Text to and from the terminal: UTF-8 out, lines in, with the echo switched
// off while a secret is typed.

#include <optional>
#include <string>
#include <string_view>

namespace pelmora::cli {

[[nodiscard]] std::string utf8(std::u16string_view text);
[[nodiscard]] std::u16string utf16(std::string_view text);

// Standard output, and standard error for messages.
void printLine(std::string_view line);
void printLine(std::u16string_view line);
void printError(std::string_view line);
// Flushes standard output; false when any of it could not be written.
[[nodiscard]] bool flushOutput();

[[nodiscard]] bool stdinIsTerminal();
[[nodiscard]] bool stderrIsTerminal();

// One line of standard input without its line end; nothing at the end of
// input. On a terminal the prompt goes to standard error first, and with
// hidden the terminal stops echoing before it is shown.
[[nodiscard]] std::optional<std::string> readInputLine(bool hidden, std::string_view prompt);

// Overwrites the bytes of a string that held a secret.
void wipe(std::string& secret);

} // namespace pelmora::cli
