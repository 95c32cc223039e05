#pragma once
// The card's answer behind a failed plug-in call, in words: the plug-in's
// error code (a status word's code or a PC/SC result) as a sentence part.

#include <cstdint>
#include <string>

namespace pelmora::model {

// Whether the error says the card left the reader.
[[nodiscard]] bool cardWasRemoved(int32_t lastError);

// cardRemoved: the card is known to have left the reader, whatever the error.
[[nodiscard]] std::u16string cardAnswerText(int32_t lastError, bool cardRemoved = false);

} // namespace pelmora::model
