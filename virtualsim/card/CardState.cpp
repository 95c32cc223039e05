#include "CardState.h"

#include "Atr.h"
#include "BinaryCommands.h"
#include "ChvCommands.h"
#include "FileCommands.h"
#include "RecordCommands.h"

namespace virtualsim {

namespace {

constexpr uint8_t kGsmClass = 0xA0;

using Handler = Response (*)(CardState&, const Apdu&);

struct Command {
    uint8_t ins;
    bool sendsData; // data travels to the card (case 3) rather than from it
    Handler handler;
};

Response acknowledge(CardState&, const Apdu&) {
    return Response::status(sw::kOk);
}

// TS 51.011 9.2: the instructions this card knows.
constexpr Command kCommands[] = {
    {0xA4, true, &FileCommands::select},
    {0xF2, false, &FileCommands::status},
    {0xC0, false, &FileCommands::getResponse},
    {0x04, true, &FileCommands::invalidate},
    {0x44, true, &FileCommands::rehabilitate},
    {0xB0, false, &BinaryCommands::read},
    {0xD6, true, &BinaryCommands::update},
    {0xB2, false, &RecordCommands::read},
    {0xDC, true, &RecordCommands::update},
    {0xA2, true, &RecordCommands::seek},
    {0x32, true, &RecordCommands::increase},
    {0x20, true, &ChvCommands::verify},
    {0x24, true, &ChvCommands::change},
    {0x26, true, &ChvCommands::disable},
    {0x28, true, &ChvCommands::enable},
    {0x2C, true, &ChvCommands::unblock},
    {0xFA, false, &acknowledge}, // SLEEP
    {0x10, true, &acknowledge},  // TERMINAL PROFILE: noted, no toolkit behind it
};

const Command* findCommand(uint8_t ins) {
    for (const Command& command : kCommands) {
        if (command.ins == ins) {
            return &command;
        }
    }
    return nullptr;
}

} // namespace

CardState::CardState(std::unique_ptr<CardFile> mf)
    : m_mf(std::move(mf)), m_selection(*m_mf), m_atr(Atr::standard()) {}

std::vector<uint8_t> CardState::transmit(std::span<const uint8_t> command) {
    Response response = process(command);
    response.data.push_back(static_cast<uint8_t>(response.sw >> 8));
    response.data.push_back(static_cast<uint8_t>(response.sw));
    return std::move(response.data);
}

Response CardState::process(std::span<const uint8_t> command) {
    const std::optional<Apdu> apdu = Apdu::parse(command);
    if (!apdu) {
        m_pending.clear();
        return Response::status(sw::kWrongLength);
    }
    if (apdu->cla != kGsmClass) {
        m_pending.clear();
        return Response::status(sw::kWrongClass);
    }
    const Command* found = findCommand(apdu->ins);
    if (!found) {
        m_pending.clear();
        return Response::status(sw::kUnknownInstruction);
    }
    if (found->handler != &FileCommands::getResponse) {
        m_pending.clear();
    }
    // The data must be what P3 announces: P3 bytes in, none with an outgoing command.
    const size_t expectedData = found->sendsData ? apdu->p3 : 0;
    if (apdu->data.size() != expectedData) {
        return Response::status(sw::kWrongLength);
    }
    return found->handler(*this, *apdu);
}

void CardState::reset() {
    m_security.resetSession();
    m_selection.reset();
    m_pending.clear();
}

StatusWord CardState::wrongLength(size_t correctLength) const {
    if (!m_options.wrongLengthGivesLength || correctLength > 0xFF) {
        return sw::kWrongLength;
    }
    return static_cast<StatusWord>(sw::kWrongLength | correctLength);
}

StatusWord CardState::responseWaiting(size_t length) {
    return static_cast<StatusWord>(sw::kResponseLength | (length & 0xFF));
}

} // namespace virtualsim
