#pragma once
// The virtual SIM's control functions, bound from a loaded libvirtualsim.so:
// through them a test plays user and hardware.

#include "../../virtualsim/VirtualSimControl.h"

struct VirtualSimControls {
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
};

// Binds every control from the dlopen handle; false when one is missing.
bool bindVirtualSimControls(void* handle, VirtualSimControls& controls);
