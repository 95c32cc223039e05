// The test controls of libvirtualsim.so (VirtualSimControl.h). Each call
// reports failure as -1 with its reason in a per-thread text.

#include "VirtualSimControl.h"

#include "CustomCard.h"
#include "ProfileCard.h"
#include "ResourceManager.h"

#include <algorithm>
#include <cstring>
#include <string>

using virtualsim::ResourceManager;

namespace {

thread_local std::string g_lastError;

ResourceManager& manager() {
    return ResourceManager::instance();
}

template <typename Call> int guarded(Call&& call) {
    try {
        g_lastError.clear();
        return call() ? 0 : -1;
    } catch (const std::exception& e) {
        g_lastError = e.what();
    } catch (...) {
        g_lastError = "unexpected failure";
    }
    return -1;
}

bool insert(int reader, virtualsim::LoadedCard card) {
    if (auto* message = std::get_if<std::string>(&card)) {
        g_lastError = *message;
        return false;
    }
    return manager().insertCard(reader, std::move(std::get<0>(card)), &g_lastError);
}

} // namespace

#pragma GCC visibility push(default)

extern "C" {

void virtualsim_reset(void) {
    guarded([] {
        manager().reset();
        return true;
    });
}

const char* virtualsim_last_error(void) {
    return g_lastError.c_str();
}

int virtualsim_reader_count(void) {
    return manager().readerCount();
}

int virtualsim_add_reader(const char* name) {
    int position = -1;
    if (guarded([&] { return manager().addReader(name, &position, &g_lastError); }) != 0)
        return -1;
    return position;
}

int virtualsim_remove_reader(int reader) {
    return guarded([&] { return manager().removeReader(reader, &g_lastError); });
}

int virtualsim_rename_reader(int reader, const char* name) {
    return guarded([&] {
        if (!name) {
            g_lastError = "no name given";
            return false;
        }
        return manager().renameReader(reader, name, &g_lastError);
    });
}

int virtualsim_reader_name(int reader, char* name, size_t capacity) {
    std::string found;
    if (guarded([&] { return manager().readerName(reader, &found, &g_lastError); }) != 0)
        return -1;
    if (name && capacity > 0) {
        size_t copied = std::min(found.size(), capacity - 1);
        if (copied)
            std::memcpy(name, found.data(), copied);
        name[copied] = '\0';
    }
    return static_cast<int>(found.size());
}

int virtualsim_insert_card(int reader, const char* profilePath) {
    return guarded([&] {
        if (!profilePath) {
            g_lastError = "no profile given";
            return false;
        }
        return insert(reader, virtualsim::ProfileCard::load(profilePath));
    });
}

int virtualsim_insert_card_text(int reader, const char* profileText, size_t length) {
    return guarded([&] {
        if (!profileText && length > 0) {
            g_lastError = "no profile text given";
            return false;
        }
        auto bytes = reinterpret_cast<const uint8_t*>(profileText);
        return insert(reader, virtualsim::ProfileCard::fromText({bytes, length}));
    });
}

int virtualsim_insert_custom_card(int reader, const VirtualSimCustomCard* card) {
    return guarded([&] {
        if (!card || !card->transmit || (!card->atr && card->atrLength > 0) ||
            card->atrLength > MAX_ATR_SIZE) {
            g_lastError = "a custom card needs a transmit function and an ATR of at most 33 bytes";
            return false;
        }
        return manager().insertCard(reader, std::make_unique<virtualsim::CustomCard>(*card),
                                    &g_lastError);
    });
}

int virtualsim_remove_card(int reader) {
    return guarded([&] { return manager().removeCard(reader, &g_lastError); });
}

int virtualsim_pull_card(int reader) {
    return guarded([&] { return manager().pullCard(reader, &g_lastError); });
}

int virtualsim_card_present(int reader) {
    return manager().cardPresent(reader);
}

void virtualsim_set_persist(int persist) {
    manager().setPersist(persist != 0);
}

void virtualsim_set_power_off_delay(unsigned milliseconds) {
    manager().setPowerOffDelay(milliseconds);
}

int virtualsim_set_latency(int reader, unsigned milliseconds) {
    return guarded([&] { return manager().setLatency(reader, milliseconds, &g_lastError); });
}

int virtualsim_add_fault(const char* rules) {
    return guarded([&] { return rules && manager().addFaults(rules, &g_lastError); });
}

void virtualsim_clear_faults(void) {
    manager().clearFaults();
}

void virtualsim_restart_service(int mode) {
    manager().restartService(mode == 1 ? virtualsim::RestartMode::StaleContextsInvalid
                                       : virtualsim::RestartMode::StaleContextsLookValid);
}

void virtualsim_set_service_running(int running) {
    manager().setServiceRunning(running != 0);
}

size_t virtualsim_apdu_count(int reader) {
    return manager().apduCount(reader);
}

size_t virtualsim_trace_size(void) {
    return manager().traceSize();
}

int virtualsim_trace_entry(size_t index, VirtualSimApdu* entry) {
    return guarded([&] {
        virtualsim::TracedApdu apdu;
        if (!entry || !manager().traceEntry(index, &apdu)) {
            g_lastError = "no trace entry " + std::to_string(index);
            return false;
        }
        entry->reader = apdu.reader;
        entry->result = apdu.result;
        entry->commandLength = apdu.command.size();
        std::memset(entry->command, 0, sizeof entry->command);
        if (!apdu.command.empty())
            std::memcpy(entry->command, apdu.command.data(),
                        std::min(apdu.command.size(), sizeof entry->command));
        entry->responseLength = apdu.response.size();
        std::memset(entry->response, 0, sizeof entry->response);
        if (!apdu.response.empty())
            std::memcpy(entry->response, apdu.response.data(),
                        std::min(apdu.response.size(), sizeof entry->response));
        return true;
    });
}

void virtualsim_clear_trace(void) {
    manager().clearTrace();
}

} // extern "C"

#pragma GCC visibility pop
