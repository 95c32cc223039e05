// The loader-facing start and end of libBrontel.so: attach work runs once when
// the library is loaded, detach work once when it is unloaded.

#include "frame/PluginLifetime.h"

#include <dlfcn.h>

#include <filesystem>
#include <vector>

namespace {

std::vector<std::filesystem::path> ownModule() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ownModule), &info) != 0 && info.dli_fname != nullptr) {
        return {info.dli_fname};
    }
    return {};
}

__attribute__((constructor)) void brontelAttach() {
    try {
        const auto modules = ownModule();
        brontel::attach(modules);
    } catch (...) {
        // The library loads anyway; card operations then fail.
    }
}

__attribute__((destructor)) void brontelDetach() {
    brontel::detach();
}

} // namespace
