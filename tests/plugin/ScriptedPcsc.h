#pragma once
// Control side of the scripted PC/SC library: a stand-in resource manager
// whose answers a test writes in advance, for the answers a real card never
// gives (short, truncated or oversized responses) and for counting calls.

#include <cstddef>
#include <cstdint>

extern "C" {
void scripted_reset();
// Responses are handed out in order; with none queued a command gets 90 00.
void scripted_queue_response(const uint8_t* bytes, size_t length);
void scripted_set_transmit_result(long result);
// Claims this response length whatever was written (0: tell the truth).
void scripted_set_reported_length(unsigned long length);
void scripted_set_connect_result(long result);
void scripted_set_establish_result(long result);
void scripted_set_card(const char* readerName, const uint8_t* atr, size_t atrLength);
// As after a resource-manager restart: no context is valid any more. With
// checkedLocally the old contexts still pass SCardIsValidContext, as with
// pcsc-lite, but every call through them gives SCARD_E_NO_SERVICE.
void scripted_invalidate_contexts(int checkedLocally);
size_t scripted_last_command(uint8_t* out, size_t capacity);
// Calls made to the named entry point since the last reset.
int scripted_calls(const char* entry);
// "send_protocol", "send_pci_length", "share_mode", "protocols", "disposition",
// "scope", "released_context", "connect_context", "established_context".
unsigned long scripted_last(const char* what);
const char* scripted_last_reader();
}
