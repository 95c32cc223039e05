#pragma once
// virtualsim-vpcd as a child process serving a card profile to pcscd on the
// vsmartcard-vpcd driver's second reader, ended by its PID.

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace brontel {

// The driver's second reader, so that the plug-in's tests and the virtual
// SIM's own end-to-end tests (on the first) can run side by side.
inline constexpr const char* kVpcdReader = "Virtual PCD 00 01";
inline constexpr const char* kVpcdReaderPort = "35964";

class VpcdProcess {
public:
    // With persist, the card is saved to its profile when the process ends.
    explicit VpcdProcess(const char* profile, bool persist = false) {
        std::string program = VIRTUALSIM_VPCD;
        std::string port = kVpcdReaderPort;
        std::string card = profile;
        std::string portOption = "--port";
        std::string persistOption = "--persist";
        std::vector<char*> argv{program.data(), portOption.data(), port.data()};
        if (persist) {
            argv.push_back(persistOption.data());
        }
        argv.push_back(card.data());
        argv.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    }
    ~VpcdProcess() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    VpcdProcess(const VpcdProcess&) = delete;
    VpcdProcess& operator=(const VpcdProcess&) = delete;

private:
    pid_t m_pid = -1;
};

} // namespace brontel
