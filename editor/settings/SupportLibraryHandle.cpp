#include "SupportLibraryHandle.h"

#include <dlfcn.h>

namespace pelmora::velmet {

namespace {

// The library links Qt, and loading it into a process without Qt (velmet-cli,
// the tests) loads Qt's dependencies with it; their static set-up allocates
// memory that no unload ever frees. Kept mapped after the first call, that
// memory stays reachable, every later call finds the library already loaded,
// and the editor, which has Qt loaded anyway, pays nothing for it.
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
