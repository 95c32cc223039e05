#pragma once
// The card profile: an INI text that fully describes a card. Section [Card]
// holds the ATR, the secret codes and their counters; every file has a
// section named by its path ("[3F00/7F10/6F3A]") with its type, structure,
// size, access conditions, status and contents (hex, one key per record,
// records not listed are all FF). README.md explains the keys.

#include "CardState.h"

#include "ProfileDocument.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace virtualsim {

class CardProfile {
public:
    struct Loaded;

    // A profile text to a card, or a message naming the offending line.
    static std::variant<Loaded, std::string> load(std::span<const uint8_t> bytes);

    // The card as a profile. When the card came from a profile, that text is
    // updated in place, so its comments and key order survive.
    [[nodiscard]] pelmora::platform::ProfileDocument write(const CardState& card) const;

private:
    pelmora::platform::ProfileDocument m_document;
};

struct CardProfile::Loaded {
    std::unique_ptr<CardState> card;
    CardProfile profile;
};

} // namespace virtualsim
