#pragma once
// The one-line meaning of each PC/SC result code (pcsc_stringify_error).

#include <winscard.h>

namespace virtualsim {

// A static text, or for an unknown code a text in a per-thread buffer that
// the next call on the same thread overwrites.
const char* pcscErrorText(LONG code);

} // namespace virtualsim
