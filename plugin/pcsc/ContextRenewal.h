#pragma once
// The shared resource-manager context, once the resource manager stops
// accepting it: pcsc-lite checks a context only locally, so a service that
// stopped or restarted shows only in the answers to calls made through it.

#include <winscard.h>

namespace brontel {

// Whether a call's result says the context it went through is no longer of use.
[[nodiscard]] bool refusesContext(LONG result);

// Releases context (what the library still keeps for it) and establishes a
// new one in its place; 0 when that fails. Returns the establishing result.
[[nodiscard]] LONG renewContext(SCARDCONTEXT& context);

} // namespace brontel
