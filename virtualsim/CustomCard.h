#pragma once
// A card played by a test through the C callbacks of VirtualSimControl.h.

#include "SmartCard.h"
#include "VirtualSimControl.h"

namespace virtualsim {

class CustomCard final : public SmartCard {
public:
    explicit CustomCard(const VirtualSimCustomCard& callbacks);

    [[nodiscard]] std::vector<uint8_t> atr() const override { return m_atr; }
    [[nodiscard]] std::vector<uint8_t> transmit(std::span<const uint8_t> command) override;
    void powerCycle() override;
    bool persist(std::string*) override { return true; }

private:
    VirtualSimCustomCard m_callbacks;
    std::vector<uint8_t> m_atr;
};

} // namespace virtualsim
