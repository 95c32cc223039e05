#include "PcscLibrary.h"

#include <dlfcn.h>

namespace {

template <typename Function> bool bind(void* handle, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(dlsym(handle, name));
    return *function != nullptr;
}

} // namespace

std::unique_ptr<PcscLibrary> PcscLibrary::load(const char* path, std::string* error) {
    auto library = std::make_unique<PcscLibrary>();
    library->m_handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!library->m_handle) {
        *error = dlerror();
        return nullptr;
    }
    void* h = library->m_handle;
    PcscLibrary& l = *library;
    bool complete =
        bind(h, "SCardEstablishContext", &l.EstablishContext) &&
        bind(h, "SCardReleaseContext", &l.ReleaseContext) &&
        bind(h, "SCardIsValidContext", &l.IsValidContext) && bind(h, "SCardConnect", &l.Connect) &&
        bind(h, "SCardReconnect", &l.Reconnect) && bind(h, "SCardDisconnect", &l.Disconnect) &&
        bind(h, "SCardBeginTransaction", &l.BeginTransaction) &&
        bind(h, "SCardEndTransaction", &l.EndTransaction) && bind(h, "SCardStatus", &l.Status) &&
        bind(h, "SCardGetStatusChange", &l.GetStatusChange) &&
        bind(h, "SCardControl", &l.Control) && bind(h, "SCardTransmit", &l.Transmit) &&
        bind(h, "SCardListReaderGroups", &l.ListReaderGroups) &&
        bind(h, "SCardListReaders", &l.ListReaders) && bind(h, "SCardFreeMemory", &l.FreeMemory) &&
        bind(h, "SCardCancel", &l.Cancel) && bind(h, "SCardGetAttrib", &l.GetAttrib) &&
        bind(h, "SCardSetAttrib", &l.SetAttrib) &&
        bind(h, "pcsc_stringify_error", &l.StringifyError);
    l.T0Pci = static_cast<const SCARD_IO_REQUEST*>(dlsym(h, "g_rgSCardT0Pci"));
    l.T1Pci = static_cast<const SCARD_IO_REQUEST*>(dlsym(h, "g_rgSCardT1Pci"));
    if (!complete || !l.T0Pci || !l.T1Pci) {
        *error = std::string(path) + " lacks a PC/SC entry point";
        return nullptr;
    }

    Controls& c = l.control;
    l.hasControls = bind(h, "virtualsim_reset", &c.reset) &&
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
    return library;
}

PcscLibrary::~PcscLibrary() {
    if (m_handle)
        dlclose(m_handle);
}
