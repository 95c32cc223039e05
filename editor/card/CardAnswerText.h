#pragma once
// The card's answer behind a failed plug-in call, in words: the plug-in's
// error code (a status word's code or a PC/SC result) as a sentence part.

#include <cstdint>
#include <string>

namespace pelmora::model {

class CardDocument;
class PluginCalls;

// Whether the error is the code of a status word the card answered with.
[[nodiscard]] bool isCardStatusCode(int32_t lastError);

// Whether the error says the card left the reader.
[[nodiscard]] bool cardWasRemoved(int32_t lastError);

// Whether the card left the reader, after a call that failed with lastError:
// a pulled card may first fail with a transport error, so a card that no
// longer gives its information counts as gone.
[[nodiscard]] bool cardLeftReader(const PluginCalls& calls, CardDocument& card, int32_t lastError);

// A read that the card's removal cut short: the books read in full and those
// not, as lists of their names.
[[nodiscard]] std::u16string cardRemovedDuringReadText(const std::u16string& readBooks,
                                                       const std::u16string& unreadBooks);

// cardRemoved: the card is known to have left the reader, whatever the error.
[[nodiscard]] std::u16string cardAnswerText(int32_t lastError, bool cardRemoved = false);

} // namespace pelmora::model
