#pragma once
// Why a reader cannot be used, told from what the plug-in reports, and what
// the user can do about it.

#include <cstdint>
#include <optional>
#include <string>

namespace pelmora::model {

enum class ReaderSituation {
    Ready,             // a card answers in the reader
    PluginMissing,     // the card plug-in could not be loaded
    NoReaderListed,    // nothing listed: the service is down or no reader is there
    ServiceNotRunning, // SCARD_E_NO_SERVICE, SCARD_E_SERVICE_STOPPED
    NoReaders,         // SCARD_E_NO_READERS_AVAILABLE, SCARD_E_READER_UNAVAILABLE
    NoCard,            // SCARD_E_NO_SMARTCARD
    CardMute,          // SCARD_W_UNRESPONSIVE_CARD, SCARD_W_UNPOWERED_CARD
    ProtocolMismatch,  // SCARD_E_PROTO_MISMATCH, or an ATR without T=0
    CardInUse,         // SCARD_E_SHARING_VIOLATION
    CardRemoved,       // SCARD_W_REMOVED_CARD, or SCARD_E_NOT_TRANSACTED mid-command
    CardNotOpened,     // a card could not be opened and the plug-in does not say why
    ReaderError,       // any other PC/SC result
    CardFault,         // the card answered opening with an error status word
};

// The situation a PC/SC result code stands for; nothing for 0 and for codes
// that are no PC/SC result (the card's status words).
[[nodiscard]] std::optional<ReaderSituation> situationOfResult(int32_t lastError);

// The code as eight upper-case hex digits.
[[nodiscard]] std::u16string resultCodeHex(int32_t lastError);

// A few words for a reader's state ("no card").
[[nodiscard]] std::u16string situationLabel(ReaderSituation situation);
// What it means and what to do; lastError fills in the code of a ReaderError
// and the card's answer of a CardFault.
[[nodiscard]] std::u16string situationAdvice(ReaderSituation situation, int32_t lastError = 0);

} // namespace pelmora::model
