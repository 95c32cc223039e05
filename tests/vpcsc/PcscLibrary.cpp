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

    l.hasControls = bindVirtualSimControls(h, l.control);
    return library;
}

PcscLibrary::~PcscLibrary() {
    if (m_handle)
        dlclose(m_handle);
}
