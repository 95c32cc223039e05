#include "ReaderStateCheck.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace virtualsim {

namespace {

// A change the caller has not seen yet.
bool flag(SCARD_READERSTATE& entry) {
    entry.dwEventState |= SCARD_STATE_CHANGED;
    return true;
}

} // namespace

bool isReaderListNotification(const char* name) {
    return strcasecmp(name, "\\\\?PnP?\\Notification") == 0;
}

bool checkReaderState(SCARD_READERSTATE& entry, const VirtualReader* reader) {
    const DWORD current = entry.dwCurrentState;
    bool tell = false;

    if (!reader) {
        entry.dwEventState = SCARD_STATE_UNKNOWN | SCARD_STATE_UNAVAILABLE;
        if (!(current & SCARD_STATE_UNKNOWN))
            tell = flag(entry);
        return tell;
    }

    // The reader has come back after being away.
    if (current & SCARD_STATE_UNKNOWN) {
        entry.dwEventState &= ~static_cast<DWORD>(SCARD_STATE_UNKNOWN);
        tell = flag(entry);
    }
    // Insertions and removals counted in the high word since the caller looked.
    if ((current & 0xFFFF0000) && ((current >> 16) & 0xFFFF) != reader->eventCounter)
        tell = flag(entry);
    entry.dwEventState = (entry.dwEventState & 0xFFFF) | (DWORD{reader->eventCounter} << 16);

    if (current & SCARD_STATE_UNAVAILABLE) {
        entry.dwEventState &= ~static_cast<DWORD>(SCARD_STATE_UNAVAILABLE);
        tell = flag(entry);
    }

    if (reader->cardPresent()) {
        entry.cbAtr = std::min<DWORD>(reader->atr.size(), MAX_ATR_SIZE);
        if (entry.cbAtr)
            std::memcpy(entry.rgbAtr, reader->atr.data(), entry.cbAtr);
    } else {
        entry.cbAtr = 0;
    }

    if (!reader->cardPresent()) {
        entry.dwEventState |= SCARD_STATE_EMPTY;
        entry.dwEventState &= ~static_cast<DWORD>(
            SCARD_STATE_PRESENT | SCARD_STATE_UNKNOWN | SCARD_STATE_UNAVAILABLE |
            SCARD_STATE_ATRMATCH | SCARD_STATE_MUTE | SCARD_STATE_INUSE | SCARD_STATE_IGNORE);
        if (current & SCARD_STATE_PRESENT)
            tell = flag(entry);
    } else {
        entry.dwEventState |= SCARD_STATE_PRESENT;
        entry.dwEventState &=
            ~static_cast<DWORD>(SCARD_STATE_EMPTY | SCARD_STATE_UNKNOWN | SCARD_STATE_UNAVAILABLE |
                                SCARD_STATE_MUTE | SCARD_STATE_IGNORE);
        if (current & (SCARD_STATE_EMPTY | SCARD_STATE_MUTE))
            tell = flag(entry);
    }

    if (reader->sharing == VirtualReader::kExclusive) {
        entry.dwEventState |= SCARD_STATE_EXCLUSIVE;
        entry.dwEventState &= ~static_cast<DWORD>(SCARD_STATE_INUSE);
        if (current & SCARD_STATE_INUSE)
            tell = flag(entry);
    } else if (reader->sharing > 0) {
        if (reader->cardPresent()) {
            entry.dwEventState |= SCARD_STATE_INUSE;
            entry.dwEventState &= ~static_cast<DWORD>(SCARD_STATE_EXCLUSIVE);
            if (current & SCARD_STATE_EXCLUSIVE)
                tell = flag(entry);
        }
    } else {
        entry.dwEventState &= ~static_cast<DWORD>(SCARD_STATE_INUSE | SCARD_STATE_EXCLUSIVE);
        if (current & (SCARD_STATE_INUSE | SCARD_STATE_EXCLUSIVE))
            tell = flag(entry);
    }

    // A caller that knows nothing is answered at once.
    if (current == SCARD_STATE_UNAWARE)
        tell = flag(entry);
    return tell;
}

} // namespace virtualsim
