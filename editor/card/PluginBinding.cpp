#include "PluginBinding.h"

#include <dlfcn.h>

#include <cstring>

namespace pelmora::model {

namespace {

// The slot of BrontelExports for the export at this position of the binding order.
template <typename F> void assign(F& slot, void* address) {
    slot = reinterpret_cast<F>(address);
}

bool setSlot(BrontelExports& e, size_t index, void* address) {
    switch (index) {
    case 0:
        assign(e.enum_sim, address);
        break;
    case 1:
        assign(e.connect_sim, address);
        break;
    case 2:
        assign(e.disconnect_sim, address);
        break;
    case 3:
        assign(e.enable_pin1, address);
        break;
    case 4:
        assign(e.disable_pin1, address);
        break;
    case 5:
        assign(e.verify_pin1, address);
        break;
    case 6:
        assign(e.change_pin1, address);
        break;
    case 7:
        assign(e.unblock_pin1, address);
        break;
    case 8:
        assign(e.verify_pin2, address);
        break;
    case 9:
        assign(e.change_pin2, address);
        break;
    case 10:
        assign(e.unblock_pin2, address);
        break;
    case 11:
        assign(e.get_phone_book, address);
        break;
    case 12:
        assign(e.set_phone_book, address);
        break;
    case 13:
        assign(e.get_nextel_phone_book, address);
        break;
    case 14:
        assign(e.set_nextel_phone_book, address);
        break;
    case 15:
        assign(e.get_sim_info, address);
        break;
    case 16:
        assign(e.get_sms, address);
        break;
    case 17:
        assign(e.set_sms, address);
        break;
    case 18:
        assign(e.backup_sim, address);
        break;
    case 19:
        assign(e.restore_sim, address);
        break;
    case 20:
        assign(e.get_last_error, address);
        break;
    default:
        return false;
    }
    return true;
}

} // namespace

bool PluginBinding::bind(const std::filesystem::path& programFolder) {
    if (!programFolder.empty() && bindLibrary(programFolder / kBrontelLibraryName)) {
        return true;
    }
    return bindLibrary(kBrontelLibraryName);
}

bool PluginBinding::bindLibrary(const std::filesystem::path& library) {
    unbind();
    // A bare name goes through the loader's search order; a path is taken as it is.
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        m_missing = kBrontelExportNames[0];
        return false;
    }
    return bindFrom(handle, [handle](const char* name) { return dlsym(handle, name); });
}

bool PluginBinding::bindResolver(const Resolver& resolve) {
    unbind();
    return bindFrom(nullptr, resolve);
}

bool PluginBinding::bindFrom(void* library, const Resolver& resolve) {
    m_library = library;
    for (size_t i = 0; i < kBrontelExportNames.size(); ++i) {
        // The names are literals, hence NUL-terminated.
        void* address = resolve ? resolve(kBrontelExportNames[i].data()) : nullptr;
        if (address == nullptr) {
            unbind();
            m_missing = kBrontelExportNames[i];
            return false;
        }
        setSlot(m_exports, i, address);
    }
    m_bound = true;
    m_missing = {};
    return true;
}

void PluginBinding::unbind() {
    m_exports = BrontelExports{};
    m_bound = false;
    if (m_library != nullptr) {
        dlclose(m_library);
        m_library = nullptr;
    }
}

} // namespace pelmora::model
