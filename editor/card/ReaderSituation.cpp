#include "ReaderSituation.h"

#include "CardAnswerText.h"
#include "HexDigits.h"
#include "LangText.h"

#include <array>
#include <utility>

namespace pelmora::model {

namespace {

// Each situation has a label and an advice, in the order of the enum.
constexpr int kFirstLabelText = 1200;
constexpr int kFirstAdviceText = 1212;
constexpr int kSituationCount = static_cast<int>(ReaderSituation::ReaderError) + 1;
static_assert(kFirstLabelText + kSituationCount == kFirstAdviceText);
// Added after the numbered run of texts above.
constexpr int kCardFaultLabelText = 1256;
constexpr int kCardFaultAdviceText = 1257;

constexpr uint32_t kResultMask = 0xFFFF0000;
constexpr uint32_t kResultBase = 0x80100000;

// pcsc-lite's result codes (the same numbers as on Windows).
constexpr std::array<std::pair<uint32_t, ReaderSituation>, 12> kResults = {{
    {0x8010001D, ReaderSituation::ServiceNotRunning}, // SCARD_E_NO_SERVICE
    {0x8010001E, ReaderSituation::ServiceNotRunning}, // SCARD_E_SERVICE_STOPPED
    {0x8010002E, ReaderSituation::NoReaders},         // SCARD_E_NO_READERS_AVAILABLE
    {0x80100017, ReaderSituation::NoReaders},         // SCARD_E_READER_UNAVAILABLE
    {0x80100009, ReaderSituation::NoReaders},         // SCARD_E_UNKNOWN_READER
    {0x8010000C, ReaderSituation::NoCard},            // SCARD_E_NO_SMARTCARD
    {0x80100066, ReaderSituation::CardMute},          // SCARD_W_UNRESPONSIVE_CARD
    {0x80100067, ReaderSituation::CardMute},          // SCARD_W_UNPOWERED_CARD
    {0x8010000F, ReaderSituation::ProtocolMismatch},  // SCARD_E_PROTO_MISMATCH
    {0x8010000B, ReaderSituation::CardInUse},         // SCARD_E_SHARING_VIOLATION
    {0x80100069, ReaderSituation::CardRemoved},       // SCARD_W_REMOVED_CARD
    // What a transmit gives first when the card left mid-command, before the
    // resource manager noticed.
    {0x80100016, ReaderSituation::CardRemoved}, // SCARD_E_NOT_TRANSACTED
}};

} // namespace

std::u16string resultCodeHex(int32_t lastError) {
    return platform::hexNumber<char16_t>(static_cast<uint32_t>(lastError), 8);
}

std::optional<ReaderSituation> situationOfResult(int32_t lastError) {
    const auto code = static_cast<uint32_t>(lastError);
    if ((code & kResultMask) != kResultBase) {
        return std::nullopt;
    }
    for (const auto& [result, situation] : kResults) {
        if (result == code) {
            return situation;
        }
    }
    return ReaderSituation::ReaderError;
}

std::u16string situationLabel(ReaderSituation situation) {
    if (situation == ReaderSituation::CardFault) {
        return velmet::langText(kCardFaultLabelText);
    }
    return velmet::langText(kFirstLabelText + static_cast<int>(situation));
}

std::u16string situationAdvice(ReaderSituation situation, int32_t lastError) {
    if (situation == ReaderSituation::CardFault) {
        return velmet::langText(kCardFaultAdviceText, cardAnswerText(lastError));
    }
    return velmet::langText(kFirstAdviceText + static_cast<int>(situation),
                            resultCodeHex(lastError));
}

} // namespace pelmora::model
