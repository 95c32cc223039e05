#pragma once
// velmet-cli run as a child process: its arguments, standard input and
// environment in, its exit status, standard output and standard error out.
// Every run gets a settings file of its test's own, so that no user's
// settings leak in.

#include "TestFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pelmora::test {

struct CliResult {
    int status = -1; // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

class CliRunner {
public:
    explicit CliRunner(const std::filesystem::path& folder);

    // Overrides (or, with nullopt, removes) a variable of the inherited environment.
    void setEnv(const std::string& name, std::optional<std::string> value);
    // The virtual SIM behind PC/SC, with these profiles (one reader each).
    void useVirtualCards(const std::string& profiles);

    [[nodiscard]] CliResult run(const std::vector<std::string>& arguments,
                                const std::string& input = {}) const;

    // With standard input, output and error on a terminal: each answer is
    // typed once a question ("...: ") stands at the end of what the program
    // showed; out holds everything the terminal showed, err nothing.
    [[nodiscard]] CliResult runOnTerminal(const std::vector<std::string>& arguments,
                                          std::vector<std::string> answers) const;

    [[nodiscard]] const std::filesystem::path& settingsFile() const { return m_settings; }

private:
    [[nodiscard]] std::vector<std::string> words(const std::vector<std::string>& arguments) const;
    [[nodiscard]] std::vector<std::string> environment() const;

    std::filesystem::path m_folder;
    std::filesystem::path m_settings;
    std::map<std::string, std::optional<std::string>> m_env;
};

// The tests' card profiles.
[[nodiscard]] std::filesystem::path demoCard();
[[nodiscard]] std::filesystem::path testCard(const std::string& name);

// A folder of the test's own with a runner whose virtual SIM is a copy of a
// profile that keeps what the commands write to it.
class CliTest : public ::testing::Test {
protected:
    CliTest() : m_cli(m_folder.path()) {}

    // Copies the profile into the folder (unless it is there) and serves it persisted.
    std::filesystem::path useCardCopy(const std::filesystem::path& profile);
    CliResult run(const std::vector<std::string>& arguments, const std::string& input = {}) {
        return m_cli.run(arguments, input);
    }
    [[nodiscard]] std::string path(const std::string& name) const {
        return (m_folder / name).string();
    }

    TempFolder m_folder;
    CliRunner m_cli;
};

// How often part occurs in text.
[[nodiscard]] size_t countOf(const std::string& text, const std::string& part);

// For messages on failure.
[[nodiscard]] std::string describe(const CliResult& result);

} // namespace pelmora::test
