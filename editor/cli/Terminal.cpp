#include "Terminal.h"

#include "CodePage.h"
#include "SecureZero.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

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

void printPrompt(std::string_view text) {
    std::cout.flush();
    std::cerr << text << std::flush;
}

bool stdinIsTerminal() {
    return isatty(STDIN_FILENO) == 1;
}

bool stderrIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

namespace {

// Switches the terminal's echo off for its lifetime.
class EchoOff {
public:
    EchoOff() {
        if (tcgetattr(STDIN_FILENO, &m_saved) == 0) {
            termios quiet = m_saved;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            m_active = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
        }
    }
    ~EchoOff() {
        if (m_active) {
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_saved);
            std::cerr << '\n';
        }
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    termios m_saved{};
    bool m_active = false;
};

} // namespace

std::optional<std::string> readInputLine(bool hidden) {
    std::cerr.flush();
    std::string line;
    bool got = false;
    if (hidden && stdinIsTerminal()) {
        EchoOff quiet;
        got = static_cast<bool>(std::getline(std::cin, line));
    } else {
        got = static_cast<bool>(std::getline(std::cin, line));
    }
    if (!got) {
        wipe(line);
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

void wipe(std::string& secret) {
    model::secureZero(secret.data(), secret.size());
    secret.clear();
}

} // namespace pelmora::cli
