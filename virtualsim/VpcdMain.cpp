// virtualsim-vpcd: serves a card profile to pcscd through the vsmartcard-vpcd
// reader driver, so that programs reach the virtual SIM through the real
// PC/SC stack (libpcsclite -> pcscd -> vpcd -> this program).

#include "ProfileCard.h"
#include "StartupSettings.h"
#include "VpcdLink.h"
#include "VpcdSession.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::atomic<bool> g_stop{false};

void onSignal(int) {
    g_stop = true;
}

struct Options {
    std::string host = "127.0.0.1";
    uint16_t port = 35963; // the first reader of /etc/reader.conf.d/vpcd
    bool once = false;
    bool persist = false;
    std::string profile;
};

void usage() {
    std::fprintf(stderr,
                 "usage: virtualsim-vpcd [--host ADDRESS] [--port PORT] [--once] [--persist] "
                 "[PROFILE]\n"
                 "Serves the card of PROFILE (default: the demo card) to pcscd's vpcd driver.\n"
                 "--once ends when pcscd closes the connection; --persist (or "
                 "VIRTUALSIM_PERSIST=1) saves the card to PROFILE when it is powered off and "
                 "at the end.\n");
}

bool parse(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if ((arg == "--host" || arg == "--port") && i + 1 < argc) {
            std::string value = argv[++i];
            if (arg == "--host") {
                options->host = value;
                continue;
            }
            char* end = nullptr;
            unsigned long port = std::strtoul(value.c_str(), &end, 10);
            if (*end != '\0' || port == 0 || port > 65535)
                return false;
            options->port = static_cast<uint16_t>(port);
        } else if (arg == "--once") {
            options->once = true;
        } else if (arg == "--persist") {
            options->persist = true;
        } else if (!arg.starts_with("-") && options->profile.empty()) {
            options->profile = arg;
        } else {
            return false;
        }
    }
    return true;
}

void persist(virtualsim::SmartCard& card) {
    std::string error;
    if (!card.persist(&error))
        std::fprintf(stderr, "virtualsim-vpcd: could not save the card: %s\n", error.c_str());
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, &options)) {
        usage();
        return 2;
    }
    if (options.profile.empty()) {
        auto demo = virtualsim::demoCardProfile();
        if (!demo) {
            std::fprintf(stderr, "virtualsim-vpcd: demo.simcard not found; name a profile\n");
            return 1;
        }
        options.profile = demo->string();
    }
    const char* persistVariable = std::getenv("VIRTUALSIM_PERSIST");
    options.persist =
        options.persist || (persistVariable && std::strcmp(persistVariable, "1") == 0);

    auto loaded = virtualsim::ProfileCard::load(options.profile);
    if (auto* message = std::get_if<std::string>(&loaded)) {
        std::fprintf(stderr, "virtualsim-vpcd: %s\n", message->c_str());
        return 1;
    }
    auto card = std::move(std::get<std::unique_ptr<virtualsim::SmartCard>>(loaded));

    struct sigaction action {};
    action.sa_handler = onSignal; // no SA_RESTART: a blocked read returns at once
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    while (!g_stop) {
        auto link = virtualsim::VpcdLink::connect(options.host, options.port, 200, g_stop);
        if (!link)
            break;
        std::fprintf(stderr, "virtualsim-vpcd: serving %s on %s:%u\n", options.profile.c_str(),
                     options.host.c_str(), options.port);
        virtualsim::VpcdSession session(*card);
        while (auto message = link->receive()) {
            bool wasPowered = session.powered();
            auto reply = session.handle(*message);
            if (reply && !link->send(*reply))
                break;
            if (options.persist && wasPowered && !session.powered())
                persist(*card);
        }
        if (options.once)
            break;
    }
    if (options.persist)
        persist(*card);
    return 0;
}
