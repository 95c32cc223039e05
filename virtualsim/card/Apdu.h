#pragma once
// A command APDU as T=0 carries it (CLA INS P1 P2 P3 [data], TS 51.011 9.1)
// and the card's answer to it.

#include "StatusWord.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace virtualsim {

struct Apdu {
    uint8_t cla = 0;
    uint8_t ins = 0;
    uint8_t p1 = 0;
    uint8_t p2 = 0;
    uint8_t p3 = 0;
    std::span<const uint8_t> data;

    // A four-byte header stands for P3 = 00; fewer bytes are no command.
    static std::optional<Apdu> parse(std::span<const uint8_t> bytes) {
        if (bytes.size() < 4) {
            return std::nullopt;
        }
        Apdu apdu{bytes[0], bytes[1], bytes[2], bytes[3], 0, {}};
        if (bytes.size() > 4) {
            apdu.p3 = bytes[4];
            apdu.data = bytes.subspan(5);
        }
        return apdu;
    }

    // Bytes asked for by a command that sends data out: P3 = 00 means 256.
    [[nodiscard]] size_t expectedLength() const { return p3 == 0 ? 256 : p3; }
};

struct Response {
    std::vector<uint8_t> data;
    StatusWord sw = sw::kOk;

    static Response status(StatusWord word) { return Response{{}, word}; }
};

} // namespace virtualsim
