#include "CardState.h"

#include "Atr.h"
#include "BinaryCommands.h"
#include "ChvCommands.h"
#include "FileCommands.h"
#include "RecordCommands.h"
#include "UiccCommands.h"

namespace virtualsim {

namespace {

constexpr uint8_t kGsmClass = 0xA0;
constexpr uint8_t kInterindustryClass = 0x00;
constexpr uint8_t kProprietaryClass = 0x80;
constexpr uint8_t kGetResponse = 0xC0;

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

// TS 102 221 10.1.2: a UICC's commands of class 00 and of class 80.
constexpr Command kUiccCommands[] = {
    {0xA4, true, &UiccCommands::select},
    {0xC0, false, &UiccCommands::getResponse},
    {0xB0, false, &UiccCommands::translated<&BinaryCommands::read>},
    {0xD6, true, &UiccCommands::translated<&BinaryCommands::update>},
    {0xB2, false, &UiccCommands::translated<&RecordCommands::read>},
    {0xDC, true, &UiccCommands::translated<&RecordCommands::update>},
    {0x20, true, &UiccCommands::verify},
    {0x24, true, &UiccCommands::change},
    {0x26, true, &UiccCommands::disable},
    {0x28, true, &UiccCommands::enable},
    {0x2C, true, &UiccCommands::unblock},
};
constexpr Command kUiccProprietaryCommands[] = {
    {0xF2, false, &UiccCommands::status}, {0x10, true, &acknowledge}, // TERMINAL PROFILE
};

template <size_t N> const Command* findCommand(const Command (&table)[N], uint8_t ins) {
    for (const Command& command : table) {
        if (command.ins == ins) {
            return &command;
        }
    }
    return nullptr;
}

// Logical channels 1 to 3 of either UICC class: this card has only the basic one.
bool onOtherChannel(uint8_t cla) {
    const uint8_t base = cla & 0xFC;
    return (base == kInterindustryClass || base == kProprietaryClass) && (cla & 0x03) != 0;
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
    const Command* found = nullptr;
    if (apdu->cla == kGsmClass && (!m_options.uicc || m_options.answersGsmClass)) {
        found = findCommand(kCommands, apdu->ins);
    } else if (m_options.uicc && apdu->cla == kInterindustryClass) {
        found = findCommand(kUiccCommands, apdu->ins);
    } else if (m_options.uicc && apdu->cla == kProprietaryClass) {
        found = findCommand(kUiccProprietaryCommands, apdu->ins);
    } else {
        m_pending.clear();
        return Response::status(m_options.uicc && onOtherChannel(apdu->cla)
                                    ? uicc::kLogicalChannelNotSupported
                                    : sw::kWrongClass);
    }
    if (!found) {
        m_pending.clear();
        return Response::status(sw::kUnknownInstruction);
    }
    if (found->ins != kGetResponse) {
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
