#pragma once
// One reader slot as the resource manager keeps it: its card, what the
// manager believes about the card (present, powered, negotiated protocol,
// insert/remove events) and who holds it.

#include "SmartCard.h"

#include <winscard.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace virtualsim {

using Clock = std::chrono::steady_clock;

struct VirtualReader {
    // pcsc-lite's values of readerSharing: -1 exclusive, 0 unused, n shared.
    static constexpr int kExclusive = -1;

    uint64_t serial = 0; // stable identity; positions shift when readers go
    std::string name;
    std::unique_ptr<SmartCard> card; // physically in the slot (or pulled, see below)
    // Pulled out while the reader has not noticed: the manager still believes
    // the card is there, but nothing reaches it.
    std::optional<Clock::time_point> pulledAt;

    std::vector<uint8_t> atr;
    bool powered = false;
    DWORD protocol = SCARD_PROTOCOL_UNDEFINED;
    std::optional<Clock::time_point> idleSince; // last connection closed

    int sharing = 0;
    SCARDHANDLE lockHolder = 0; // exclusive connection or transaction owner
    int lockCount = 0;
    uint16_t eventCounter = 0; // insertions and removals
    unsigned latencyMs = 0;

    // As the resource manager knows it (a pulled card counts until noticed).
    [[nodiscard]] bool cardPresent() const { return card != nullptr; }
    // Whether a command can reach the card.
    [[nodiscard]] bool cardReachable() const { return card && !pulledAt; }
    // pcsc-lite's readerState bits (SCARD_ABSENT, SCARD_PRESENT, ...).
    [[nodiscard]] DWORD readerState() const {
        if (!cardPresent())
            return SCARD_ABSENT;
        return powered ? SCARD_PRESENT | SCARD_POWERED | SCARD_NEGOTIABLE : SCARD_PRESENT;
    }
};

} // namespace virtualsim
