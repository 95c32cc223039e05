#pragma once
// The files named on the editor's command line.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

inline constexpr size_t kCommandLineTokenWidth = 519;

// Tokens separated by blanks; a token that starts with a double quote runs to
// the next one (or the end), blanks included and quotes left out. Each holds
// at most kCommandLineTokenWidth characters.
[[nodiscard]] std::vector<std::u16string> commandLineTokens(std::u16string_view commandLine);

// The file a token names: a relative path is taken against the program's
// folder.
[[nodiscard]] std::filesystem::path commandLineFile(std::u16string_view token,
                                                    const std::filesystem::path& programFolder);

} // namespace pelmora::model
