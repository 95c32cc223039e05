#pragma once
// The words after a command name: options (--name, --name=value, --name value,
// and the short forms a command lists) and positional arguments.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::cli {

// Options that look like a PIN or PUK are refused with these words.
inline constexpr std::string_view kNoPinsOnCommandLine =
    "PINs are never taken from the command line: type them when asked, or give them one per "
    "line on standard input with --pin-stdin";

struct OptionSpec {
    std::string_view name;   // "--reader"
    bool takesValue = false; // "--reader R"
    std::string_view alias;  // "-o", or empty
};

struct CommandSpec {
    std::string_view name;
    std::vector<OptionSpec> options;
    size_t minPositional = 0;
    size_t maxPositional = 0;
};

class Arguments {
public:
    [[nodiscard]] bool has(std::string_view option) const;
    // The last value given for the option.
    [[nodiscard]] std::optional<std::string> value(std::string_view option) const;
    [[nodiscard]] const std::vector<std::string>& positional() const { return m_positional; }

    void addOption(std::string_view name, std::optional<std::string> value);
    void addPositional(std::string word) { m_positional.push_back(std::move(word)); }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_options;
    std::vector<std::string> m_positional;
};

// Throws UsageError naming the command for an unknown option, a missing
// value, or too few or too many positional arguments.
[[nodiscard]] Arguments parseArguments(const CommandSpec& spec, std::span<const std::string> words);

// True when the words ask for help ("--help" or "-h" before any "--").
[[nodiscard]] bool asksForHelp(std::span<const std::string> words);

} // namespace pelmora::cli
