#include "StartupSettings.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string_view>

namespace virtualsim {

namespace {

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value)
        return std::nullopt;
    return std::string(value);
}

std::optional<unsigned> number(const char* name) {
    auto text = variable(name);
    if (!text)
        return std::nullopt;
    unsigned value = 0;
    auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (ec != std::errc() || end != text->data() + text->size())
        return std::nullopt;
    return value;
}

std::filesystem::path libraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&demoCardProfile), &info) == 0 || !info.dli_fname)
        return {};
    std::error_code error;
    auto path = std::filesystem::canonical(info.dli_fname, error);
    return error ? std::filesystem::path() : path.parent_path();
}

} // namespace

std::optional<std::filesystem::path> demoCardProfile() {
    std::vector<std::filesystem::path> candidates;
    if (auto folder = libraryFolder(); !folder.empty()) {
        candidates.push_back(folder / "cards" / "demo.simcard");
        candidates.push_back(folder.parent_path() / "share" / "pelmora" / "cards" / "demo.simcard");
    }
#ifdef VIRTUALSIM_INSTALLED_DATA
    candidates.push_back(std::filesystem::path(VIRTUALSIM_INSTALLED_DATA) / "cards" /
                         "demo.simcard");
#endif
#ifdef VIRTUALSIM_SOURCE_DATA
    candidates.push_back(std::filesystem::path(VIRTUALSIM_SOURCE_DATA) / "cards" / "demo.simcard");
#endif
    for (const auto& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return std::nullopt;
}

StartupSettings StartupSettings::fromEnvironment() {
    StartupSettings settings;
    if (auto cards = variable("VIRTUALSIM_CARDS")) {
        std::string_view rest = *cards;
        while (true) {
            size_t colon = rest.find(':');
            std::string_view entry = rest.substr(0, colon);
            if (entry.empty())
                settings.cards.emplace_back(std::nullopt);
            else
                settings.cards.emplace_back(std::filesystem::path(entry));
            if (colon == std::string_view::npos)
                break;
            rest.remove_prefix(colon + 1);
        }
    } else {
        auto demo = demoCardProfile();
        if (!demo)
            std::fprintf(stderr, "virtualsim: demo.simcard not found; the reader stays empty\n");
        settings.cards.push_back(demo);
    }
    settings.persist = variable("VIRTUALSIM_PERSIST") == "1";
    settings.latencyMs = number("VIRTUALSIM_LATENCY_MS").value_or(0);
    settings.faults = variable("VIRTUALSIM_FAULTS").value_or("");
    settings.traceFile = variable("VIRTUALSIM_TRACE").value_or("");
    settings.serviceRunning = variable("VIRTUALSIM_NO_SERVICE") != "1";
    if (variable("VIRTUALSIM_NO_READERS") == "1")
        settings.cards.clear();
    settings.atr = variable("VIRTUALSIM_ATR").value_or("");
    settings.powerOffDelayMs = number("VIRTUALSIM_POWER_OFF_MS").value_or(5000);
    return settings;
}

} // namespace virtualsim
