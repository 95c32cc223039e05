#pragma once
// How calls in this code base report failure; new and changed interfaces
// follow it, so a caller never has to guess.
//
// - A call that yields a value returns std::optional<T>: the value, or
//   nothing when it failed (parseHexPairs, ProfileDocument::structValue).
// - A call that yields no value returns bool, true on success, marked
//   [[nodiscard]] unless ignoring the outcome is fine (setFieldText: false
//   when the text was cut).
// - When a caller must tell the user why, the reason travels in a report the
//   call fills (CardReport, a text number), not in the return value.
// - Codes from the card plug-in stay inside editor/card and are compared by
//   the names Brontel.h gives them.
// - No exceptions cross a library's interface. A sentinel stands for failure
//   only where the value's range makes it unmistakable (hexDigitValue: -1).
