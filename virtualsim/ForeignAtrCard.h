#pragma once
// A card that answers reset with another ATR than its own, for the readers
// a user meets: one offering only T=1, say. Everything else is the card's.

#include "SmartCard.h"

#include <memory>

namespace virtualsim {

class ForeignAtrCard final : public SmartCard {
public:
    ForeignAtrCard(std::unique_ptr<SmartCard> card, std::vector<uint8_t> atr)
        : m_card(std::move(card)), m_atr(std::move(atr)) {}

    [[nodiscard]] std::vector<uint8_t> atr() const override { return m_atr; }
    [[nodiscard]] std::vector<uint8_t> transmit(std::span<const uint8_t> command) override {
        return m_card->transmit(command);
    }
    void powerCycle() override { m_card->powerCycle(); }
    bool persist(std::string* error) override { return m_card->persist(error); }

private:
    std::unique_ptr<SmartCard> m_card;
    std::vector<uint8_t> m_atr;
};

} // namespace virtualsim
