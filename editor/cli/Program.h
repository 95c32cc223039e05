#pragma once
// velmet-cli's entry: the program's own options, the command, its exit status.

#include <span>
#include <string>

namespace pelmora::cli {

// words: the arguments after the program name. Returns the exit status.
int runProgram(std::span<const std::string> words);

} // namespace pelmora::cli
