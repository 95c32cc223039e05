#pragma once
// The editor's binding of the card plug-in: libBrontel.so loaded from the
// program's folder (then by bare name), its 21 exports bound by name. Either
// every export is bound or none is.

#include "Brontel.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string_view>

namespace pelmora::model {

struct BrontelExports {
    decltype(&::enum_sim) enum_sim = nullptr;
    decltype(&::connect_sim) connect_sim = nullptr;
    decltype(&::disconnect_sim) disconnect_sim = nullptr;
    decltype(&::enable_pin1) enable_pin1 = nullptr;
    decltype(&::disable_pin1) disable_pin1 = nullptr;
    decltype(&::verify_pin1) verify_pin1 = nullptr;
    decltype(&::change_pin1) change_pin1 = nullptr;
    decltype(&::unblock_pin1) unblock_pin1 = nullptr;
    decltype(&::verify_pin2) verify_pin2 = nullptr;
    decltype(&::change_pin2) change_pin2 = nullptr;
    decltype(&::unblock_pin2) unblock_pin2 = nullptr;
    decltype(&::get_phone_book) get_phone_book = nullptr;
    decltype(&::set_phone_book) set_phone_book = nullptr;
    decltype(&::get_nextel_phone_book) get_nextel_phone_book = nullptr;
    decltype(&::set_nextel_phone_book) set_nextel_phone_book = nullptr;
    decltype(&::get_sim_info) get_sim_info = nullptr;
    decltype(&::get_sms) get_sms = nullptr;
    decltype(&::set_sms) set_sms = nullptr;
    decltype(&::backup_sim) backup_sim = nullptr;
    decltype(&::restore_sim) restore_sim = nullptr;
    decltype(&::get_last_error) get_last_error = nullptr;
};

// The export names in binding order.
inline constexpr std::array<std::string_view, 21> kBrontelExportNames = {"enum_sim",
                                                                         "connect_sim",
                                                                         "disconnect_sim",
                                                                         "enable_pin1",
                                                                         "disable_pin1",
                                                                         "verify_pin1",
                                                                         "change_pin1",
                                                                         "unblock_pin1",
                                                                         "verify_pin2",
                                                                         "change_pin2",
                                                                         "unblock_pin2",
                                                                         "get_phone_book",
                                                                         "set_phone_book",
                                                                         "get_nextel_phone_book",
                                                                         "set_nextel_phone_book",
                                                                         "get_sim_info",
                                                                         "get_sms",
                                                                         "set_sms",
                                                                         "backup_sim",
                                                                         "restore_sim",
                                                                         "get_last_error"};

inline constexpr const char* kBrontelLibraryName = "libBrontel.so";

class PluginBinding {
public:
    // Looks a name up; nullptr when missing.
    using Resolver = std::function<void*(const char* name)>;

    PluginBinding() = default;
    ~PluginBinding() { unbind(); }
    PluginBinding(const PluginBinding&) = delete;
    PluginBinding& operator=(const PluginBinding&) = delete;

    // libBrontel.so from programFolder, else by bare name.
    bool bind(const std::filesystem::path& programFolder);
    // A library at exactly this path (no fallback).
    bool bindLibrary(const std::filesystem::path& library);
    // Names taken from a resolver (no library is held): an in-process plug-in.
    bool bindResolver(const Resolver& resolve);
    // Forgets every entry point and frees the library.
    void unbind();

    [[nodiscard]] bool bound() const { return m_bound; }
    [[nodiscard]] const BrontelExports& exports() const { return m_exports; }
    // The name whose absence made the last bind fail ("" when none).
    [[nodiscard]] std::string_view missingName() const { return m_missing; }

private:
    bool bindFrom(void* library, const Resolver& resolve);

    BrontelExports m_exports;
    void* m_library = nullptr;
    bool m_bound = false;
    std::string_view m_missing;
};

} // namespace pelmora::model
