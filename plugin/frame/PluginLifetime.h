#pragma once
// What loading and unloading the plug-in library does: the log "asd", the
// PC/SC binding and the one resource-manager context that every connection
// shares.

#include <winscard.h>

#include <filesystem>
#include <span>

namespace brontel {

// The shared resource-manager context; 0 while none is established.
extern SCARDCONTEXT pcsc_context;

inline constexpr const char* kLogName = "asd";

// Starts the log (listing the given modules in its header), binds the PC/SC
// library and establishes the context. A failure leaves the plug-in loaded
// with card operations failing.
void attach(std::span<const std::filesystem::path> modules);
// Releases the context and unloads the PC/SC library.
void detach();

} // namespace brontel
