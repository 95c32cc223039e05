#pragma once
// A PC/SC library bound the way the card plug-in binds one: dlopen and dlsym
// with pcsc-lite's own function types. Works for libvirtualsim.so and for the
// real libpcsclite.so.1; the test controls are bound only when present.

#include "VirtualSimControls.h"

#include <winscard.h>

#include <memory>
#include <string>

struct PcscLibrary {
    decltype(&SCardEstablishContext) EstablishContext = nullptr;
    decltype(&SCardReleaseContext) ReleaseContext = nullptr;
    decltype(&SCardIsValidContext) IsValidContext = nullptr;
    decltype(&SCardConnect) Connect = nullptr;
    decltype(&SCardReconnect) Reconnect = nullptr;
    decltype(&SCardDisconnect) Disconnect = nullptr;
    decltype(&SCardBeginTransaction) BeginTransaction = nullptr;
    decltype(&SCardEndTransaction) EndTransaction = nullptr;
    decltype(&SCardStatus) Status = nullptr;
    decltype(&SCardGetStatusChange) GetStatusChange = nullptr;
    decltype(&SCardControl) Control = nullptr;
    decltype(&SCardTransmit) Transmit = nullptr;
    decltype(&SCardListReaderGroups) ListReaderGroups = nullptr;
    decltype(&SCardListReaders) ListReaders = nullptr;
    decltype(&SCardFreeMemory) FreeMemory = nullptr;
    decltype(&SCardCancel) Cancel = nullptr;
    decltype(&SCardGetAttrib) GetAttrib = nullptr;
    decltype(&SCardSetAttrib) SetAttrib = nullptr;
    decltype(&pcsc_stringify_error) StringifyError = nullptr;
    const SCARD_IO_REQUEST* T0Pci = nullptr;
    const SCARD_IO_REQUEST* T1Pci = nullptr;

    VirtualSimControls control;
    bool hasControls = false;

    // Null with the reason in error when the library or an entry point is missing.
    static std::unique_ptr<PcscLibrary> load(const char* path, std::string* error);
    ~PcscLibrary();

private:
    void* m_handle = nullptr;
};
