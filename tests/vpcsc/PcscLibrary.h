#pragma once
// A PC/SC library bound the way the card plug-in binds one: dlopen and dlsym
// with pcsc-lite's own function types. Works for libvirtualsim.so and for the
// real libpcsclite.so.1; the test controls are bound only when present.

#include "VirtualSimControl.h"

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

    struct Controls {
        decltype(&virtualsim_reset) reset = nullptr;
        decltype(&virtualsim_last_error) lastError = nullptr;
        decltype(&virtualsim_reader_count) readerCount = nullptr;
        decltype(&virtualsim_add_reader) addReader = nullptr;
        decltype(&virtualsim_remove_reader) removeReader = nullptr;
        decltype(&virtualsim_rename_reader) renameReader = nullptr;
        decltype(&virtualsim_reader_name) readerName = nullptr;
        decltype(&virtualsim_insert_card) insertCard = nullptr;
        decltype(&virtualsim_insert_card_text) insertCardText = nullptr;
        decltype(&virtualsim_insert_custom_card) insertCustomCard = nullptr;
        decltype(&virtualsim_remove_card) removeCard = nullptr;
        decltype(&virtualsim_pull_card) pullCard = nullptr;
        decltype(&virtualsim_card_present) cardPresent = nullptr;
        decltype(&virtualsim_set_persist) setPersist = nullptr;
        decltype(&virtualsim_set_power_off_delay) setPowerOffDelay = nullptr;
        decltype(&virtualsim_set_latency) setLatency = nullptr;
        decltype(&virtualsim_add_fault) addFault = nullptr;
        decltype(&virtualsim_clear_faults) clearFaults = nullptr;
        decltype(&virtualsim_restart_service) restartService = nullptr;
        decltype(&virtualsim_set_service_running) setServiceRunning = nullptr;
        decltype(&virtualsim_apdu_count) apduCount = nullptr;
        decltype(&virtualsim_trace_size) traceSize = nullptr;
        decltype(&virtualsim_trace_entry) traceEntry = nullptr;
        decltype(&virtualsim_clear_trace) clearTrace = nullptr;
    } control;
    bool hasControls = false;

    // Null with the reason in error when the library or an entry point is missing.
    static std::unique_ptr<PcscLibrary> load(const char* path, std::string* error);
    ~PcscLibrary();

private:
    void* m_handle = nullptr;
};
