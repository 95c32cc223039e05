#include "SupportLibraryHandle.h"

#include <dlfcn.h>

namespace pelmora::velmet {

namespace {

// The library links Qt. In a process without Qt of its own (the settings and
// support tests) loading it loads Qt's dependencies too, whose start-up
// allocations no unload ever frees. Kept mapped after the first call, that
// memory stays reachable and every later call finds the library loaded; the
// editor, which has Qt loaded anyway, pays only for the library staying.
constexpr int kLoadFlags = RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE;

} // namespace

SupportLibraryHandle::SupportLibraryHandle(const std::filesystem::path& library)
    : m_handle(dlopen(library.c_str(), kLoadFlags)) {
    if (m_handle == nullptr && library.has_parent_path()) {
        m_handle = dlopen(library.filename().c_str(), kLoadFlags);
    }
}

SupportLibraryHandle::~SupportLibraryHandle() {
    if (m_handle != nullptr) {
        dlclose(m_handle);
    }
}

void* SupportLibraryHandle::symbol(const char* name) const {
    return m_handle == nullptr ? nullptr : dlsym(m_handle, name);
}

} // namespace pelmora::velmet
