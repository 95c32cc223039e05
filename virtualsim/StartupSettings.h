#pragma once
// The library's starting state, read from the environment (the variables are
// listed in VirtualSimControl.h).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace virtualsim {

struct StartupSettings {
    // One entry per reader; nothing for a reader without a card.
    std::vector<std::optional<std::filesystem::path>> cards;
    bool persist = false;
    unsigned latencyMs = 0;
    std::string faults;
    std::filesystem::path traceFile;
    bool serviceRunning = true;
    // VIRTUALSIM_ATR: every card answers reset with these bytes instead.
    std::string atr;
    unsigned powerOffDelayMs = 5000;

    static StartupSettings fromEnvironment();
};

// The demo card shipped with the project, looked for beside the library
// (installed layout) and then in the source tree it was built from.
std::optional<std::filesystem::path> demoCardProfile();

} // namespace virtualsim
