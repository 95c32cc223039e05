#pragma once
// A card double played through the library's custom-card hook: it records
// what reaches it, counts power cycles and answers as a test tells it to.

#include "VirtualSimControl.h"

#include <cstdint>
#include <functional>
#include <vector>

class TestCard {
public:
    // T=0 only: TS, T0 without interface bytes, two historical bytes.
    static std::vector<uint8_t> t0Atr() { return {0x3B, 0x02, 0x14, 0x50}; }

    explicit TestCard(std::vector<uint8_t> atr = t0Atr());

    VirtualSimCustomCard callbacks();

    // By default READ BINARY/RECORD answer P3 bytes counting up from 0, then
    // 9000; everything else 9000. An empty answer keeps the card mute.
    std::function<std::vector<uint8_t>(const std::vector<uint8_t>&)> answer;

    std::vector<std::vector<uint8_t>> received;
    int powerCycles = 0;

private:
    static size_t onTransmit(void* user, const uint8_t* command, size_t length, uint8_t* response,
                             size_t capacity);
    static void onReset(void* user);

    std::vector<uint8_t> m_atr;
};
