#pragma once
// How a command ends early: wrong usage (exit status 2) or an operation that
// failed (exit status 1). Both carry the message for standard error.

#include <stdexcept>
#include <string>

namespace pelmora::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

class UsageError : public std::runtime_error {
public:
    // command: the command whose help the message points to ("" for the program).
    UsageError(const std::string& message, std::string command = {})
        : std::runtime_error(message), m_command(std::move(command)) {}
    [[nodiscard]] const std::string& command() const { return m_command; }

private:
    std::string m_command;
};

class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace pelmora::cli
