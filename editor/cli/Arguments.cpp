#include "Arguments.h"

#include "Failure.h"

#include <algorithm>

namespace pelmora::cli {

bool Arguments::has(std::string_view option) const {
    return std::any_of(m_options.begin(), m_options.end(),
                       [option](const auto& o) { return o.first == option; });
}

std::optional<std::string> Arguments::value(std::string_view option) const {
    for (auto it = m_options.rbegin(); it != m_options.rend(); ++it) {
        if (it->first == option) {
            return it->second;
        }
    }
    return std::nullopt;
}

void Arguments::addOption(std::string_view name, std::optional<std::string> value) {
    m_options.emplace_back(std::string(name), std::move(value));
}

namespace {

const OptionSpec* findOption(const CommandSpec& spec, std::string_view word) {
    for (const OptionSpec& option : spec.options) {
        if (option.name == word || (!option.alias.empty() && option.alias == word)) {
            return &option;
        }
    }
    return nullptr;
}

bool looksLikeSecret(std::string_view name) {
    return (name.starts_with("--pin") && name != "--pin-stdin") || name.starts_with("--puk") ||
           name.starts_with("--new-pin") || name.starts_with("--old-pin");
}

} // namespace

Arguments parseArguments(const CommandSpec& spec, std::span<const std::string> words) {
    const std::string command(spec.name);
    Arguments arguments;
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            arguments.addPositional(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = word.find('=');
        const std::string_view name = std::string_view(word).substr(0, equals);
        const OptionSpec* option = findOption(spec, name);
        if (option == nullptr && looksLikeSecret(name)) {
            throw UsageError(std::string(kNoPinsOnCommandLine), command);
        }
        if (option == nullptr) {
            throw UsageError("unknown option '" + std::string(name) + "'", command);
        }
        if (!option->takesValue) {
            if (equals != std::string::npos) {
                throw UsageError("option '" + std::string(name) + "' takes no value", command);
            }
            arguments.addOption(option->name, std::nullopt);
            continue;
        }
        if (equals != std::string::npos) {
            arguments.addOption(option->name, word.substr(equals + 1));
        } else if (i + 1 < words.size()) {
            arguments.addOption(option->name, words[++i]);
        } else {
            throw UsageError("option '" + std::string(name) + "' needs a value", command);
        }
    }
    const size_t count = arguments.positional().size();
    if (count < spec.minPositional) {
        throw UsageError("missing argument", command);
    }
    if (count > spec.maxPositional) {
        throw UsageError("unexpected argument '" + arguments.positional()[spec.maxPositional] + "'",
                         command);
    }
    return arguments;
}

bool asksForHelp(std::span<const std::string> words) {
    for (const std::string& word : words) {
        if (word == "--") {
            return false;
        }
        if (word == "--help" || word == "-h") {
            return true;
        }
    }
    return false;
}

} // namespace pelmora::cli
