#pragma once
// A fresh home for one test: HOME and the XDG base folders point into a
// temporary folder that is removed afterwards, and no desktop is announced,
// so that the freedesktop tools take their generic paths.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace pelmora::testing {

class TemporaryHome {
public:
    TemporaryHome() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "pelmora-home-XXXXXX").string();
        m_root = ::mkdtemp(pattern.data());
        setenv("HOME", m_root.c_str(), 1);
        setenv("XDG_DATA_HOME", (m_root / "data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
        setenv("XDG_STATE_HOME", (m_root / "state").c_str(), 1);
        setenv("PELMORA_LOG_ROOTS", (m_root / "logs").c_str(), 1);
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID",
                                 "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"}) {
            unsetenv(name);
        }
    }
    ~TemporaryHome() {
        std::error_code error;
        std::filesystem::remove_all(m_root, error);
    }
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    [[nodiscard]] const std::filesystem::path& root() const { return m_root; }
    [[nodiscard]] std::filesystem::path dataHome() const { return m_root / "data"; }
    [[nodiscard]] std::filesystem::path configHome() const { return m_root / "config"; }

private:
    std::filesystem::path m_root;
};

} // namespace pelmora::testing
