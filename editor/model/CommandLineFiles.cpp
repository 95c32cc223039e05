#include "CommandLineFiles.h"

namespace pelmora::model {

std::vector<std::u16string> commandLineTokens(std::u16string_view commandLine) {
    std::vector<std::u16string> tokens;
    size_t i = 0;
    while (i < commandLine.size()) {
        if (commandLine[i] == u' ') {
            ++i;
            continue;
        }
        size_t end = 0;
        std::u16string_view token;
        if (commandLine[i] == u'"') {
            end = commandLine.find(u'"', i + 1);
            token = commandLine.substr(i + 1, end == std::u16string_view::npos ? end : end - i - 1);
            end = end == std::u16string_view::npos ? commandLine.size() : end + 1;
        } else {
            end = std::min(commandLine.find(u' ', i), commandLine.size());
            token = commandLine.substr(i, end - i);
        }
        if (!token.empty()) {
            tokens.emplace_back(token.substr(0, kCommandLineTokenWidth));
        }
        i = end;
    }
    return tokens;
}

std::filesystem::path commandLineFile(std::u16string_view token,
                                      const std::filesystem::path& programFolder) {
    std::filesystem::path file{std::u16string(token)};
    return file.is_absolute() ? file : programFolder / file;
}

} // namespace pelmora::model
