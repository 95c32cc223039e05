#include "CliRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

extern char** environ;

namespace pelmora::test {

namespace {

std::string readText(const std::filesystem::path& file) {
    const std::vector<uint8_t> bytes = readBytes(file);
    return {bytes.begin(), bytes.end()};
}

} // namespace

CliRunner::CliRunner(const std::filesystem::path& folder)
    : m_folder(folder), m_settings(folder / "Velmet.ini") {
    // The virtual SIM, never a reader of the machine, unless a test says otherwise.
    useVirtualCards(demoCard().string());
    setEnv("VIRTUALSIM_FAULTS", std::nullopt);
    setEnv("VIRTUALSIM_PERSIST", std::nullopt);
    setEnv("VIRTUALSIM_TRACE", std::nullopt);
    setEnv("VIRTUALSIM_LATENCY_MS", std::nullopt);
    setEnv("VIRTUALSIM_NO_SERVICE", std::nullopt);
    // The list separator and date format of the plain locale.
    setEnv("LC_ALL", "C");
}

void CliRunner::setEnv(const std::string& name, std::optional<std::string> value) {
    m_env[name] = std::move(value);
}

void CliRunner::useVirtualCards(const std::string& profiles) {
    setEnv("PELMORA_PCSC_LIBRARY", std::string(VIRTUALSIM_LIBRARY));
    setEnv("VIRTUALSIM_CARDS", profiles);
}

CliResult CliRunner::run(const std::vector<std::string>& arguments,
                         const std::string& input) const {
    static int serial = 0;
    const std::string stem = "run" + std::to_string(++serial);
    const std::filesystem::path in = m_folder / (stem + ".in");
    const std::filesystem::path out = m_folder / (stem + ".out");
    const std::filesystem::path err = m_folder / (stem + ".err");
    writeBytes(in, input);

    std::vector<std::string> words = {VELMET_CLI, "--settings", m_settings.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    std::vector<std::string> variables;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (m_env.find(name) == m_env.end()) {
            variables.push_back(entry);
        }
    }
    for (const auto& [name, value] : m_env) {
        if (value) {
            variables.push_back(name + "=" + *value);
        }
    }
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    CliResult result;
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        result.err = "spawn failed: " + std::string(std::strerror(spawned));
        return result;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readText(out);
    result.err = readText(err);
    std::error_code ignored;
    for (const auto& file : {in, out, err}) {
        std::filesystem::remove(file, ignored);
    }
    return result;
}

std::filesystem::path demoCard() {
    return std::filesystem::path(PELMORA_SOURCE_DATA) / "cards" / "demo.simcard";
}

std::filesystem::path testCard(const std::string& name) {
    return std::filesystem::path(PELMORA_TEST_DATA) / "cards" / (name + ".simcard");
}

std::filesystem::path CliTest::useCardCopy(const std::filesystem::path& profile) {
    const std::filesystem::path copy = m_folder.path() / profile.filename();
    if (profile != copy) {
        std::filesystem::copy_file(profile, copy,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    m_cli.useVirtualCards(copy.string());
    m_cli.setEnv("VIRTUALSIM_PERSIST", "1");
    return copy;
}

size_t countOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

std::string describe(const CliResult& result) {
    return "exit " + std::to_string(result.status) + "\n--- stdout:\n" + result.out +
           "--- stderr:\n" + result.err;
}

} // namespace pelmora::test
