#pragma once
// The comparison at the heart of SCardGetStatusChange: what the caller
// believes about a reader (dwCurrentState) against the reader as it is.

#include "VirtualReader.h"

namespace virtualsim {

// Fills dwEventState, cbAtr and rgbAtr of entry as pcsc-lite does and returns
// true when the difference is one the caller must be told about now. reader
// is null for a name the resource manager does not know.
bool checkReaderState(SCARD_READERSTATE& entry, const VirtualReader* reader);

// "\\?PnP?\Notification", the pseudo reader that reports readers coming and going.
bool isReaderListNotification(const char* name);

} // namespace virtualsim
