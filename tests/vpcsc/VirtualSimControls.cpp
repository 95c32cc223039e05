#include "VirtualSimControls.h"

#include <dlfcn.h>

namespace {

template <typename Function> bool bind(void* handle, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(dlsym(handle, name));
    return *function != nullptr;
}

} // namespace

bool bindVirtualSimControls(void* h, VirtualSimControls& c) {
    return bind(h, "virtualsim_reset", &c.reset) &&
           bind(h, "virtualsim_last_error", &c.lastError) &&
           bind(h, "virtualsim_reader_count", &c.readerCount) &&
           bind(h, "virtualsim_add_reader", &c.addReader) &&
           bind(h, "virtualsim_remove_reader", &c.removeReader) &&
           bind(h, "virtualsim_rename_reader", &c.renameReader) &&
           bind(h, "virtualsim_reader_name", &c.readerName) &&
           bind(h, "virtualsim_insert_card", &c.insertCard) &&
           bind(h, "virtualsim_insert_card_text", &c.insertCardText) &&
           bind(h, "virtualsim_insert_custom_card", &c.insertCustomCard) &&
           bind(h, "virtualsim_remove_card", &c.removeCard) &&
           bind(h, "virtualsim_pull_card", &c.pullCard) &&
           bind(h, "virtualsim_card_present", &c.cardPresent) &&
           bind(h, "virtualsim_set_persist", &c.setPersist) &&
           bind(h, "virtualsim_set_power_off_delay", &c.setPowerOffDelay) &&
           bind(h, "virtualsim_set_latency", &c.setLatency) &&
           bind(h, "virtualsim_add_fault", &c.addFault) &&
           bind(h, "virtualsim_clear_faults", &c.clearFaults) &&
           bind(h, "virtualsim_restart_service", &c.restartService) &&
           bind(h, "virtualsim_set_service_running", &c.setServiceRunning) &&
           bind(h, "virtualsim_apdu_count", &c.apduCount) &&
           bind(h, "virtualsim_trace_size", &c.traceSize) &&
           bind(h, "virtualsim_trace_entry", &c.traceEntry) &&
           bind(h, "virtualsim_clear_trace", &c.clearTrace);
}
