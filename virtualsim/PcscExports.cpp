// libvirtualsim.so's PC/SC entry points, with pcsc-lite's names and types.
// What pcsc-lite checks on the client side is checked here (null pointers,
// SCARD_AUTOALLOCATE, buffer sizes, the order of those checks); the rest is
// the resource manager's. No exception leaves an entry point.

#include "PcscErrorText.h"
#include "ResourceManager.h"

#include <winscard.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

using virtualsim::CardStatus;
using virtualsim::ResourceManager;

namespace {

ResourceManager& manager() {
    return ResourceManager::instance();
}

template <typename Call> LONG guarded(Call&& call) {
    try {
        return call();
    } catch (const std::bad_alloc&) {
        return SCARD_E_NO_MEMORY;
    } catch (...) {
        return SCARD_F_INTERNAL_ERROR;
    }
}

// Hands size bytes to a caller the way SCardListReaders does: a null buffer
// asks for the length only, SCARD_AUTOALLOCATE asks the library to allocate
// (released with SCardFreeMemory), a short buffer gets nothing.
LONG handOut(const char* data, DWORD size, LPSTR buffer, LPDWORD length) {
    LONG rv = SCARD_S_SUCCESS;
    if (*length == SCARD_AUTOALLOCATE) {
        if (!buffer) {
            rv = SCARD_E_INVALID_PARAMETER;
        } else if (char* allocated = static_cast<char*>(std::malloc(size))) {
            std::memcpy(allocated, data, size);
            *reinterpret_cast<char**>(buffer) = allocated;
        } else {
            rv = SCARD_E_NO_MEMORY;
        }
    } else if (buffer && *length < size) {
        rv = SCARD_E_INSUFFICIENT_BUFFER;
    } else if (buffer) {
        std::memcpy(buffer, data, size);
    }
    *length = size;
    return rv;
}

// Where SCardStatus puts the reader name or the ATR: the caller's buffer or
// one allocated for SCARD_AUTOALLOCATE.
template <typename Byte>
LONG statusBuffer(Byte* given, DWORD* capacity, DWORD needed, Byte** buffer) {
    *buffer = given;
    if (*capacity != SCARD_AUTOALLOCATE)
        return SCARD_S_SUCCESS;
    *capacity = needed;
    if (!given)
        return SCARD_E_INVALID_PARAMETER;
    *buffer = static_cast<Byte*>(std::malloc(needed ? needed : 1));
    if (!*buffer)
        return SCARD_E_NO_MEMORY;
    *reinterpret_cast<Byte**>(given) = *buffer;
    return SCARD_S_SUCCESS;
}

} // namespace

#pragma GCC visibility push(default)

extern "C" {

const SCARD_IO_REQUEST g_rgSCardT0Pci = {SCARD_PROTOCOL_T0, sizeof(SCARD_IO_REQUEST)};
const SCARD_IO_REQUEST g_rgSCardT1Pci = {SCARD_PROTOCOL_T1, sizeof(SCARD_IO_REQUEST)};
const SCARD_IO_REQUEST g_rgSCardRawPci = {SCARD_PROTOCOL_RAW, sizeof(SCARD_IO_REQUEST)};

LONG SCardEstablishContext(DWORD dwScope, LPCVOID, LPCVOID, LPSCARDCONTEXT phContext) {
    if (!phContext)
        return SCARD_E_INVALID_PARAMETER;
    return guarded([&] { return manager().establishContext(dwScope, phContext); });
}

LONG SCardReleaseContext(SCARDCONTEXT hContext) {
    return guarded([&] { return manager().releaseContext(hContext); });
}

LONG SCardIsValidContext(SCARDCONTEXT hContext) {
    return guarded([&] { return manager().isValidContext(hContext); });
}

LONG SCardConnect(SCARDCONTEXT hContext, LPCSTR szReader, DWORD dwShareMode,
                  DWORD dwPreferredProtocols, LPSCARDHANDLE phCard, LPDWORD pdwActiveProtocol) {
    if (!phCard || !pdwActiveProtocol)
        return SCARD_E_INVALID_PARAMETER;
    *phCard = 0;
    if (!szReader)
        return SCARD_E_UNKNOWN_READER;
    if (strnlen(szReader, MAX_READERNAME + 1) > MAX_READERNAME)
        return SCARD_E_INVALID_VALUE;
    return guarded([&] {
        SCARDHANDLE card = 0;
        DWORD active = SCARD_PROTOCOL_UNDEFINED;
        LONG rv = manager().connect(hContext, szReader, dwShareMode, dwPreferredProtocols, &card,
                                    &active);
        *pdwActiveProtocol = active;
        *phCard = rv == SCARD_S_SUCCESS ? card : 0;
        return rv;
    });
}

LONG SCardReconnect(SCARDHANDLE hCard, DWORD dwShareMode, DWORD dwPreferredProtocols,
                    DWORD dwInitialization, LPDWORD pdwActiveProtocol) {
    if (!pdwActiveProtocol)
        return SCARD_E_INVALID_PARAMETER;
    return guarded([&] {
        return manager().reconnect(hCard, dwShareMode, dwPreferredProtocols, dwInitialization,
                                   pdwActiveProtocol);
    });
}

LONG SCardDisconnect(SCARDHANDLE hCard, DWORD dwDisposition) {
    return guarded([&] { return manager().disconnect(hCard, dwDisposition); });
}

LONG SCardBeginTransaction(SCARDHANDLE hCard) {
    return guarded([&] { return manager().beginTransaction(hCard); });
}

LONG SCardEndTransaction(SCARDHANDLE hCard, DWORD dwDisposition) {
    return guarded([&] { return manager().endTransaction(hCard, dwDisposition); });
}

LONG SCardStatus(SCARDHANDLE hCard, LPSTR mszReaderName, LPDWORD pcchReaderLen, LPDWORD pdwState,
                 LPDWORD pdwProtocol, LPBYTE pbAtr, LPDWORD pcbAtrLen) {
    if (pdwState)
        *pdwState = 0;
    if (pdwProtocol)
        *pdwProtocol = 0;
    DWORD noReaderLength = 0, noAtrLength = 0;
    if (!pcchReaderLen)
        pcchReaderLen = &noReaderLength;
    if (!pcbAtrLen)
        pcbAtrLen = &noAtrLength;
    DWORD readerCapacity = *pcchReaderLen;
    DWORD atrCapacity = *pcbAtrLen;
    *pcchReaderLen = 0;
    *pcbAtrLen = 0;
    return guarded([&] {
        CardStatus status;
        LONG rv = manager().status(hCard, &status);
        if (rv != SCARD_S_SUCCESS)
            return rv;
        *pcchReaderLen = status.readerName.size() + 1;
        *pcbAtrLen = status.atr.size();
        if (pdwState)
            *pdwState = status.state;
        if (pdwProtocol)
            *pdwProtocol = status.protocol;

        char* name = nullptr;
        if (LONG allocated = statusBuffer(mszReaderName, &readerCapacity, *pcchReaderLen, &name);
            allocated != SCARD_S_SUCCESS)
            return allocated;
        if (name) {
            if (*pcchReaderLen > readerCapacity)
                rv = SCARD_E_INSUFFICIENT_BUFFER;
            std::strncpy(name, status.readerName.c_str(), readerCapacity);
        }
        BYTE* atr = nullptr;
        if (LONG allocated = statusBuffer(pbAtr, &atrCapacity, *pcbAtrLen, &atr);
            allocated != SCARD_S_SUCCESS)
            return allocated;
        if (atr) {
            if (*pcbAtrLen > atrCapacity)
                rv = SCARD_E_INSUFFICIENT_BUFFER;
            if (DWORD copied = std::min<DWORD>(*pcbAtrLen, atrCapacity))
                std::memcpy(atr, status.atr.data(), copied);
        }
        return rv;
    });
}

LONG SCardGetStatusChange(SCARDCONTEXT hContext, DWORD dwTimeout, SCARD_READERSTATE* rgReaderStates,
                          DWORD cReaders) {
    if ((!rgReaderStates && cReaders > 0) || cReaders > PCSCLITE_MAX_READERS_CONTEXTS)
        return SCARD_E_INVALID_PARAMETER;
    for (DWORD i = 0; i < cReaders; ++i)
        if (!rgReaderStates[i].szReader)
            return SCARD_E_INVALID_VALUE;
    // Nothing to watch: pcsc-lite answers before looking at the context.
    DWORD watched = 0;
    for (DWORD i = 0; i < cReaders; ++i)
        if (!(rgReaderStates[i].dwCurrentState & SCARD_STATE_IGNORE))
            ++watched;
    if (watched == 0)
        return SCARD_S_SUCCESS;
    return guarded(
        [&] { return manager().getStatusChange(hContext, dwTimeout, rgReaderStates, cReaders); });
}

LONG SCardControl(SCARDHANDLE hCard, DWORD dwControlCode, LPCVOID pbSendBuffer, DWORD cbSendLength,
                  LPVOID pbRecvBuffer, DWORD cbRecvLength, LPDWORD lpBytesReturned) {
    if (lpBytesReturned)
        *lpBytesReturned = 0;
    return guarded([&] {
        if (LONG rv = manager().checkHandle(hCard); rv != SCARD_S_SUCCESS)
            return rv;
        if (cbSendLength > MAX_BUFFER_SIZE_EXTENDED)
            return SCARD_E_INSUFFICIENT_BUFFER;
        if (!pbSendBuffer && cbSendLength > 0)
            return SCARD_E_INVALID_PARAMETER;
        std::vector<uint8_t> output;
        auto* input = static_cast<const uint8_t*>(pbSendBuffer);
        LONG rv =
            manager().control(hCard, dwControlCode,
                              std::span<const uint8_t>(input, input ? cbSendLength : 0), &output);
        if (rv != SCARD_S_SUCCESS)
            return rv;
        if (lpBytesReturned)
            *lpBytesReturned = output.size();
        if (output.size() > cbRecvLength)
            return SCARD_E_INSUFFICIENT_BUFFER;
        if (pbRecvBuffer && !output.empty())
            std::memcpy(pbRecvBuffer, output.data(), output.size());
        return SCARD_S_SUCCESS;
    });
}

LONG SCardTransmit(SCARDHANDLE hCard, const SCARD_IO_REQUEST* pioSendPci, LPCBYTE pbSendBuffer,
                   DWORD cbSendLength, SCARD_IO_REQUEST*, LPBYTE pbRecvBuffer,
                   LPDWORD pcbRecvLength) {
    if (!pbSendBuffer || !pbRecvBuffer || !pcbRecvLength || !pioSendPci)
        return SCARD_E_INVALID_PARAMETER;
    return guarded([&] {
        if (LONG rv = manager().checkHandle(hCard); rv != SCARD_S_SUCCESS) {
            *pcbRecvLength = 0;
            return rv;
        }
        const DWORD capacity = *pcbRecvLength;
        if (cbSendLength > MAX_BUFFER_SIZE_EXTENDED || capacity > MAX_BUFFER_SIZE_EXTENDED)
            return SCARD_E_INSUFFICIENT_BUFFER;
        if (capacity < 2) { // room for the status word at least
            *pcbRecvLength = 0;
            return SCARD_E_INSUFFICIENT_BUFFER;
        }
        std::vector<uint8_t> response;
        LONG rv = manager().transmit(
            hCard, *pioSendPci, std::span<const uint8_t>(pbSendBuffer, cbSendLength), &response);
        if (rv != SCARD_S_SUCCESS) {
            *pcbRecvLength = 0;
            return rv;
        }
        // The card has answered; a short buffer only learns the length.
        *pcbRecvLength = response.size();
        if (response.size() > capacity)
            return SCARD_E_INSUFFICIENT_BUFFER;
        if (!response.empty())
            std::memcpy(pbRecvBuffer, response.data(), response.size());
        return SCARD_S_SUCCESS;
    });
}

LONG SCardListReaderGroups(SCARDCONTEXT hContext, LPSTR mszGroups, LPDWORD pcchGroups) {
    if (!pcchGroups)
        return SCARD_E_INVALID_PARAMETER;
    return guarded([&] {
        if (!manager().knowsContext(hContext))
            return SCARD_E_INVALID_HANDLE;
        static const char kGroups[] = "SCard$DefaultReaders\0";
        return handOut(kGroups, sizeof kGroups, mszGroups, pcchGroups);
    });
}

LONG SCardListReaders(SCARDCONTEXT hContext, LPCSTR, LPSTR mszReaders, LPDWORD pcchReaders) {
    if (!pcchReaders)
        return SCARD_E_INVALID_PARAMETER;
    return guarded([&] {
        std::vector<std::string> names;
        LONG rv = manager().listReaders(hContext, &names);
        if (rv == SCARD_E_INVALID_HANDLE)
            return rv;
        if (rv != SCARD_S_SUCCESS) {
            *pcchReaders = rv == SCARD_E_NO_READERS_AVAILABLE ? 1 : 0;
            return rv;
        }
        std::string multiString;
        for (const std::string& name : names) {
            multiString += name;
            multiString += '\0';
        }
        multiString += '\0';
        return handOut(multiString.data(), multiString.size(), mszReaders, pcchReaders);
    });
}

LONG SCardFreeMemory(SCARDCONTEXT hContext, LPCVOID pvMem) {
    return guarded([&] {
        if (!manager().knowsContext(hContext))
            return SCARD_E_INVALID_HANDLE;
        std::free(const_cast<void*>(pvMem));
        return SCARD_S_SUCCESS;
    });
}

LONG SCardCancel(SCARDCONTEXT hContext) {
    return guarded([&] { return manager().cancel(hContext); });
}

LONG SCardGetAttrib(SCARDHANDLE hCard, DWORD dwAttrId, LPBYTE pbAttr, LPDWORD pcbAttrLen) {
    if (!pcbAttrLen)
        return SCARD_E_INVALID_PARAMETER;
    return guarded([&] {
        if (LONG rv = manager().checkHandle(hCard); rv != SCARD_S_SUCCESS)
            return rv;
        BYTE* buffer = pbAttr;
        BYTE* allocated = nullptr;
        if (*pcbAttrLen == SCARD_AUTOALLOCATE) {
            if (!pbAttr)
                return SCARD_E_INVALID_PARAMETER;
            *pcbAttrLen = MAX_BUFFER_SIZE;
            allocated = static_cast<BYTE*>(std::malloc(MAX_BUFFER_SIZE));
            if (!allocated)
                return SCARD_E_NO_MEMORY;
            buffer = allocated;
        } else if (!pbAttr) {
            *pcbAttrLen = MAX_BUFFER_SIZE; // a length query
        }
        if (*pcbAttrLen > MAX_BUFFER_SIZE) {
            std::free(allocated);
            return SCARD_E_INSUFFICIENT_BUFFER;
        }
        std::vector<uint8_t> value;
        LONG rv = manager().getAttribute(hCard, dwAttrId, &value);
        if (rv != SCARD_S_SUCCESS) {
            std::free(allocated);
            return rv;
        }
        DWORD copied = value.size();
        if (value.size() > *pcbAttrLen) {
            copied = *pcbAttrLen;
            rv = SCARD_E_INSUFFICIENT_BUFFER;
        }
        *pcbAttrLen = value.size();
        if (buffer && copied)
            std::memcpy(buffer, value.data(), copied);
        if (allocated)
            *reinterpret_cast<BYTE**>(pbAttr) = allocated;
        return rv;
    });
}

LONG SCardSetAttrib(SCARDHANDLE hCard, DWORD dwAttrId, LPCBYTE pbAttr, DWORD cbAttrLen) {
    if (!pbAttr || cbAttrLen == 0)
        return SCARD_E_INVALID_PARAMETER;
    return guarded([&] {
        if (LONG rv = manager().checkHandle(hCard); rv != SCARD_S_SUCCESS)
            return rv;
        if (cbAttrLen > MAX_BUFFER_SIZE)
            return SCARD_E_INSUFFICIENT_BUFFER;
        return manager().setAttribute(hCard, dwAttrId);
    });
}

const char* pcsc_stringify_error(const LONG pcscError) {
    return virtualsim::pcscErrorText(pcscError);
}

} // extern "C"

#pragma GCC visibility pop
