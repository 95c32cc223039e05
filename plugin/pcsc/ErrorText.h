#pragma once
// Texts for PC/SC result codes and system error codes, for diagnostics.

#include <cstdint>
#include <string>

namespace brontel {

// The text of a PC/SC result code followed by " ErrorCode:" and errno as it
// was on entry; "Unknown error!" for codes without a text. The result is also
// kept as the last PC/SC failure text.
std::u16string pcsc_error_text(int32_t code);
// The text most recently formed by pcsc_error_text.
std::u16string last_pcsc_error_text();

// "errcode: <code> " followed by the system's message for the code, at most
// 1023 characters; code 0 stands for errno.
std::u16string system_error_text(int32_t code);

} // namespace brontel
