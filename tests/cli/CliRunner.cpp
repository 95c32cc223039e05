#include "CliRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

extern char** environ;

namespace pelmora::test {

namespace {

std::string readText(const std::filesystem::path& file) {
    const std::vector<uint8_t> bytes = readBytes(file);
    return {bytes.begin(), bytes.end()};
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> list;
    for (std::string& text : texts) {
        list.push_back(text.data());
    }
    list.push_back(nullptr);
    return list;
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
    setEnv("VIRTUALSIM_NO_READERS", std::nullopt);
    setEnv("VIRTUALSIM_ATR", std::nullopt);
    // The list separator, date format and English texts of the plain locale,
    // whatever the machine's locale: without a language in its settings the
    // program takes it from LC_ALL, LC_MESSAGES or LANG.
    setEnv("LC_ALL", "C");
}

void CliRunner::setEnv(const std::string& name, std::optional<std::string> value) {
    m_env[name] = std::move(value);
}

void CliRunner::useVirtualCards(const std::string& profiles) {
    setEnv("PELMORA_PCSC_LIBRARY", std::string(VIRTUALSIM_LIBRARY));
    setEnv("VIRTUALSIM_CARDS", profiles);
}

std::vector<std::string> CliRunner::words(const std::vector<std::string>& arguments) const {
    std::vector<std::string> list = {VELMET_CLI, "--settings", m_settings.string()};
    list.insert(list.end(), arguments.begin(), arguments.end());
    return list;
}

std::vector<std::string> CliRunner::environment() const {
    std::vector<std::string> variables;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (m_env.find(entry.substr(0, entry.find('='))) == m_env.end()) {
            variables.push_back(entry);
        }
    }
    for (const auto& [name, value] : m_env) {
        if (value) {
            variables.push_back(name + "=" + *value);
        }
    }
    return variables;
}

CliResult CliRunner::runOnTerminal(const std::vector<std::string>& arguments,
                                   std::vector<std::string> answers) const {
    std::vector<std::string> words = this->words(arguments);
    std::vector<char*> argv = pointers(words);
    std::vector<std::string> variables = environment();
    std::vector<char*> envp = pointers(variables);
    CliResult result;
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid == 0) {
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    if (pid < 0) {
        result.err = "forkpty failed";
        return result;
    }
    size_t answered = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < until) {
        pollfd wait{terminal, POLLIN, 0};
        if (poll(&wait, 1, 100) <= 0) {
            continue;
        }
        char buffer[512];
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        if (got <= 0) {
            break; // the program closed the terminal
        }
        result.out.append(buffer, static_cast<size_t>(got));
        if (answered < answers.size() && result.out.ends_with(": ")) {
            const std::string line = answers[answered++] + "\n";
            EXPECT_EQ(write(terminal, line.data(), line.size()), static_cast<ssize_t>(line.size()));
        }
    }
    close(terminal);
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

CliResult CliRunner::run(const std::vector<std::string>& arguments,
                         const std::string& input) const {
    static int serial = 0;
    const std::string stem = "run" + std::to_string(++serial);
    const std::filesystem::path in = m_folder / (stem + ".in");
    const std::filesystem::path out = m_folder / (stem + ".out");
    const std::filesystem::path err = m_folder / (stem + ".err");
    writeBytes(in, input);

    std::vector<std::string> words = this->words(arguments);
    std::vector<char*> argv = pointers(words);
    std::vector<std::string> variables = environment();
    std::vector<char*> envp = pointers(variables);

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
