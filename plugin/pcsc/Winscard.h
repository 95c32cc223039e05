#pragma once
// The PC/SC library, bound at run time by entry-point name: PELMORA_PCSC_LIBRARY
// when set, else the system's pcsc-lite. Process-wide, bound at library attach.

#include <winscard.h>

namespace brontel {

struct Winscard {
    void* module = nullptr;
    decltype(&::SCardTransmit) SCardTransmit = nullptr;
    decltype(&::SCardControl) SCardControl = nullptr;
    decltype(&::SCardReleaseContext) SCardReleaseContext = nullptr;
    decltype(&::SCardEstablishContext) SCardEstablishContext = nullptr;
    decltype(&::SCardDisconnect) SCardDisconnect = nullptr;
    decltype(&::SCardCancel) SCardCancel = nullptr;
    decltype(&::SCardReconnect) SCardReconnect = nullptr;
    decltype(&::SCardIsValidContext) SCardIsValidContext = nullptr;
    decltype(&::SCardListReaders) SCardListReaders = nullptr;
    decltype(&::SCardGetStatusChange) SCardGetStatusChange = nullptr;
    decltype(&::SCardStatus) SCardStatus = nullptr;
    decltype(&::SCardConnect) SCardConnect = nullptr;
    // Absent from pcsc-lite; bound where a library offers it.
    LONG (*SCardAddReaderToGroup)(SCARDCONTEXT, LPCSTR, LPCSTR) = nullptr;
    decltype(&::SCardListReaderGroups) SCardListReaderGroups = nullptr;
};

inline constexpr const char* kDefaultPcscLibrary = "libpcsclite.so.1";
inline constexpr const char* kPcscLibraryVariable = "PELMORA_PCSC_LIBRARY";

// The process-wide binding; every entry point is null while unbound.
extern Winscard winscard;

// Loads the library and binds its entry points. When a required one is
// missing, nothing stays bound, the library is unloaded and errno is what it
// was on entry.
bool load_winscard();
// Clears every entry point and unloads the library.
void unload_winscard();

} // namespace brontel
