#pragma once
// A card loaded from a card profile. It remembers the profile it came from and
// the text last read or written there, so persisting writes only real changes.

#include "SmartCard.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace virtualsim {

class VirtualCard;

using LoadedCard = std::variant<std::unique_ptr<SmartCard>, std::string>;

class ProfileCard final : public SmartCard {
public:
    // A malformed profile gives the engine's message, which names the line.
    static LoadedCard load(const std::filesystem::path& profile);
    // A card from text held in memory has no file to persist to.
    static LoadedCard fromText(std::span<const uint8_t> profileText);

    ~ProfileCard() override;

    [[nodiscard]] std::vector<uint8_t> atr() const override;
    [[nodiscard]] std::vector<uint8_t> transmit(std::span<const uint8_t> command) override;
    void powerCycle() override;
    bool persist(std::string* error) override;

private:
    ProfileCard(std::unique_ptr<VirtualCard> card, std::optional<std::filesystem::path> profile,
                std::vector<uint8_t> savedText);

    std::unique_ptr<VirtualCard> m_card;
    std::optional<std::filesystem::path> m_profile;
    std::vector<uint8_t> m_savedText;
};

} // namespace virtualsim
