#include "pcsc/Winscard.h"

#include <dlfcn.h>

#include <cerrno>
#include <cstdlib>

namespace brontel {

Winscard winscard;

namespace {

template <typename Entry> bool bind(void* module, const char* name, Entry& entry) {
    entry = reinterpret_cast<Entry>(dlsym(module, name));
    return entry != nullptr;
}

} // namespace

bool load_winscard() {
    const int savedErrno = errno;
    const char* path = std::getenv(kPcscLibraryVariable);
    if (path == nullptr || *path == '\0') {
        path = kDefaultPcscLibrary;
    }
    unload_winscard();
    void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        return false;
    }
    Winscard& w = winscard;
    w.module = module;
    const bool complete =
        bind(module, "SCardTransmit", w.SCardTransmit) &&
        bind(module, "SCardControl", w.SCardControl) &&
        bind(module, "SCardReleaseContext", w.SCardReleaseContext) &&
        bind(module, "SCardEstablishContext", w.SCardEstablishContext) &&
        bind(module, "SCardDisconnect", w.SCardDisconnect) &&
        bind(module, "SCardCancel", w.SCardCancel) &&
        bind(module, "SCardReconnect", w.SCardReconnect) &&
        bind(module, "SCardIsValidContext", w.SCardIsValidContext) &&
        bind(module, "SCardListReaders", w.SCardListReaders) &&
        bind(module, "SCardGetStatusChange", w.SCardGetStatusChange) &&
        bind(module, "SCardStatus", w.SCardStatus) &&
        bind(module, "SCardConnect", w.SCardConnect) &&
        (bind(module, "SCardAddReaderToGroup", w.SCardAddReaderToGroup) || true) &&
        bind(module, "SCardListReaderGroups", w.SCardListReaderGroups);
    if (!complete) {
        unload_winscard();
        errno = savedErrno;
        return false;
    }
    return true;
}

void unload_winscard() {
    void* module = winscard.module;
    winscard = Winscard{};
    if (module != nullptr) {
        dlclose(module);
    }
}

} // namespace brontel
