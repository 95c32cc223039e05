#include "Terminal.h"

#include "CodePage.h"
#include "SecureZero.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>

namespace pelmora::cli {

std::string utf8(std::u16string_view text) {
    return platform::toUtf8(text);
}

std::u16string utf16(std::string_view text) {
    return platform::fromUtf8(text);
}

void printLine(std::string_view line) {
    std::cout << line << '\n';
}

void printLine(std::u16string_view line) {
    printLine(utf8(line));
}

void printError(std::string_view line) {
    std::cout.flush();
    std::cerr << line << '\n';
}

bool flushOutput() {
    std::cout.flush();
    return !std::cout.fail() && std::fflush(stdout) == 0 && !std::ferror(stdout);
}

bool stdinIsTerminal() {
    return isatty(STDIN_FILENO) == 1;
}

bool stderrIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

namespace {

termios g_echoing{};
constexpr std::array<int, 4> kEndingSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// A signal that ends the program while the echo is off turns it on again first.
void echoOnAndEnd(int signal) {
    tcsetattr(STDIN_FILENO, TCSANOW, &g_echoing);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Switches the terminal's echo off for its lifetime.
class EchoOff {
public:
    EchoOff() {
        if (tcgetattr(STDIN_FILENO, &g_echoing) != 0) {
            return;
        }
        for (size_t i = 0; i < kEndingSignals.size(); ++i) {
            struct sigaction action {};
            action.sa_handler = echoOnAndEnd;
            sigaction(kEndingSignals[i], &action, &m_previous[i]);
        }
        m_handling = true;
        termios quiet = g_echoing;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        // Whatever was typed before the question is dropped, not taken as the answer.
        m_active = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
    }
    ~EchoOff() {
        if (m_active) {
            tcsetattr(STDIN_FILENO, TCSANOW, &g_echoing);
            std::cerr << '\n';
        }
        for (size_t i = 0; m_handling && i < kEndingSignals.size(); ++i) {
            sigaction(kEndingSignals[i], &m_previous[i], nullptr);
        }
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    std::array<struct sigaction, kEndingSignals.size()> m_previous{};
    bool m_handling = false;
    bool m_active = false;
};

} // namespace

std::optional<std::string> readInputLine(bool hidden, std::string_view prompt) {
    std::optional<EchoOff> quiet;
    if (stdinIsTerminal()) {
        // Echo off before the question: nothing typed after it is shown.
        if (hidden) {
            quiet.emplace();
        }
        std::cout.flush();
        std::cerr << prompt << std::flush;
    }
    std::string line;
    if (!std::getline(std::cin, line)) {
        wipe(line);
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

void wipe(std::string& secret) {
    platform::secureZero(secret.data(), secret.size());
    secret.clear();
}

} // namespace pelmora::cli
