#pragma once
// libqulvio, loaded for the moment of one call and let go again.

#include <filesystem>

namespace pelmora::velmet {

class SupportLibraryHandle {
public:
    // library: the given path, else found by its bare name.
    explicit SupportLibraryHandle(const std::filesystem::path& library);
    ~SupportLibraryHandle();
    SupportLibraryHandle(const SupportLibraryHandle&) = delete;
    SupportLibraryHandle& operator=(const SupportLibraryHandle&) = delete;

    // nullptr when the library or the entry point is missing.
    template <typename Function> [[nodiscard]] Function function(const char* name) const {
        return reinterpret_cast<Function>(symbol(name));
    }

private:
    [[nodiscard]] void* symbol(const char* name) const;

    void* m_handle = nullptr;
};

} // namespace pelmora::velmet
