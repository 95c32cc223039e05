#pragma once
// Everything a card holds and is: its files, its secret codes and security
// state, the current selection, the response waiting for GET RESPONSE, the
// ATR. Commands arrive as APDUs and are dispatched by instruction byte.

#include "Apdu.h"
#include "CardFile.h"
#include "CardOptions.h"
#include "CardSecurity.h"
#include "Selection.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace virtualsim {

class CardState {
public:
    // The tree's root must be the MF (3F00).
    explicit CardState(std::unique_ptr<CardFile> mf);

    CardState(const CardState&) = delete;
    CardState& operator=(const CardState&) = delete;

    [[nodiscard]] CardFile& mf() { return *m_mf; }
    [[nodiscard]] const CardFile& mf() const { return *m_mf; }
    [[nodiscard]] CardSecurity& security() { return m_security; }
    [[nodiscard]] const CardSecurity& security() const { return m_security; }
    [[nodiscard]] Selection& selection() { return m_selection; }
    [[nodiscard]] CardOptions& options() { return m_options; }
    [[nodiscard]] const CardOptions& options() const { return m_options; }
    [[nodiscard]] const std::vector<uint8_t>& atr() const { return m_atr; }
    void setAtr(std::vector<uint8_t> atr) { m_atr = std::move(atr); }

    // One command in, response data and SW1 SW2 out.
    [[nodiscard]] std::vector<uint8_t> transmit(std::span<const uint8_t> command);
    [[nodiscard]] Response process(std::span<const uint8_t> command);

    // Power cycle: security state cleared, MF selected; files and counters kept.
    void reset();

    // For the command handlers.
    void setPendingResponse(std::vector<uint8_t> data) { m_pending = std::move(data); }
    [[nodiscard]] const std::vector<uint8_t>& pendingResponse() const { return m_pending; }
    // 67xx, with the correct length in SW2 where the card gives it.
    [[nodiscard]] StatusWord wrongLength(size_t correctLength) const;
    // 9Fxx for a response of this many bytes (256 is 00).
    [[nodiscard]] static StatusWord responseWaiting(size_t length);

private:
    std::unique_ptr<CardFile> m_mf;
    CardSecurity m_security;
    Selection m_selection;
    CardOptions m_options;
    std::vector<uint8_t> m_atr;
    std::vector<uint8_t> m_pending;
};

} // namespace virtualsim
