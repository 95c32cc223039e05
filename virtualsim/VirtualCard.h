#pragma once
// A GSM SIM in software: the card side of T=0 command/response pairs. The PC/SC
// library (libvirtualsim.so) and the vpcd bridge (virtualsim-vpcd) both serve
// cards through this interface and know nothing of the file system behind it.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace virtualsim {

class CardState;   // file tree, security state, selection
class CardProfile; // the profile text the card came from

class VirtualCard {
public:
    // Loads a card profile; a malformed profile is refused with a message that
    // names the offending line.
    static std::variant<std::unique_ptr<VirtualCard>, std::string>
    fromProfile(const std::filesystem::path& profile);
    static std::variant<std::unique_ptr<VirtualCard>, std::string>
    fromProfileText(std::span<const uint8_t> profileBytes);
    // A card built in code (tests of the engine).
    static std::unique_ptr<VirtualCard> fromState(std::unique_ptr<CardState> state);

    ~VirtualCard();
    VirtualCard(const VirtualCard&) = delete;
    VirtualCard& operator=(const VirtualCard&) = delete;

    [[nodiscard]] const std::vector<uint8_t>& atr() const;

    // One command APDU (CLA INS P1 P2 P3 [data]) in, response data followed by
    // SW1 SW2 out, exactly as a card answers over T=0. One caller at a time.
    [[nodiscard]] std::vector<uint8_t> transmit(std::span<const uint8_t> command);

    // Power cycle: security state cleared, MF selected; files and counters kept.
    void reset();

    // Writes the card, with everything updated on it, back as a profile.
    [[nodiscard]] std::vector<uint8_t> toProfileText() const;
    [[nodiscard]] bool saveProfile(const std::filesystem::path& profile, std::string* error) const;

private:
    VirtualCard(std::unique_ptr<CardState> state, std::unique_ptr<CardProfile> profile);
    std::unique_ptr<CardState> m_state;
    std::unique_ptr<CardProfile> m_profile;
};

} // namespace virtualsim
