// Loading and unloading libBrontel.so: the log, the PC/SC binding and the one
// shared context, and an export table holding nothing but C functions.
#include "ScriptedPcsc.h"

#include <dlfcn.h>
#include <winscard.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class PluginLoad : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/brontel-attach-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        std::ofstream(m_root / "asd.log") << "3\r\n";
        setenv("PELMORA_LOG_ROOTS", m_root.c_str(), 1);
        setenv("PELMORA_PCSC_LIBRARY", SCRIPTED_PCSC_PATH, 1);
        scripted_reset();
    }
    void TearDown() override {
        if (m_plugin != nullptr) {
            dlclose(m_plugin);
        }
        fs::remove_all(m_root);
    }

    void load() {
        m_plugin = dlopen(BRONTEL_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_plugin, nullptr) << dlerror();
    }
    void unload() {
        ASSERT_EQ(dlclose(m_plugin), 0);
        m_plugin = nullptr;
    }
    std::string log() const {
        std::ifstream in(m_root / "asd.log", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path m_root;
    void* m_plugin = nullptr;
};

TEST_F(PluginLoad, EstablishesOneContextAndReleasesItOnUnload) {
    load();
    EXPECT_EQ(scripted_calls("SCardEstablishContext"), 1);
    EXPECT_EQ(scripted_last("scope"), SCARD_SCOPE_USER);
    EXPECT_EQ(scripted_calls("SCardReleaseContext"), 0);
    unload();
    EXPECT_EQ(scripted_calls("SCardEstablishContext"), 1);
    EXPECT_EQ(scripted_calls("SCardReleaseContext"), 1);
    EXPECT_EQ(scripted_last("released_context"), scripted_last("established_context"));
}

TEST_F(PluginLoad, StartsTheAsdLogNamingItself) {
    load();
    const std::string text = log();
    EXPECT_NE(text.find("START LOGFILE"), std::string::npos) << text;
    EXPECT_NE(text.find("libBrontel.so"), std::string::npos) << text;
}

TEST_F(PluginLoad, ContextFailureIsLoggedAndTheLibraryStaysLoaded) {
    scripted_set_establish_result(static_cast<long>(SCARD_E_NO_SERVICE));
    load();
    const std::string text = log();
    EXPECT_NE(text.find("ERROR   [dllmain] errcode: "), std::string::npos) << text;
    unload();
    EXPECT_EQ(scripted_calls("SCardReleaseContext"), 0);
}

TEST_F(PluginLoad, LoadsWithAnIncompleteOrMissingPcscLibrary) {
    setenv("PELMORA_PCSC_LIBRARY", INCOMPLETE_PCSC_PATH, 1);
    load();
    unload();
    setenv("PELMORA_PCSC_LIBRARY", "/nonexistent/libpcsc.so", 1);
    load();
}

TEST_F(PluginLoad, KeepsItsCppSymbolsInside) {
    load();
    EXPECT_EQ(dlsym(m_plugin, "_ZN7brontel13load_winscardEv"), nullptr);
    EXPECT_EQ(dlsym(m_plugin, "_ZN7brontel12pcsc_contextE"), nullptr);
    EXPECT_EQ(dlsym(m_plugin, "_ZN7brontel7SIMCard6selectENS_6FileIdEPt"), nullptr);
}

} // namespace
