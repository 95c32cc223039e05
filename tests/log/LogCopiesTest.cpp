#include "LogLines.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace pelmora::log {
namespace {

// The card plug-in's copy of the log, loaded beside this one.
class LogCopy {
public:
    LogCopy() : m_handle(::dlopen(LOG_COPY_MODULE, RTLD_NOW | RTLD_LOCAL)) {
        if (m_handle) {
            init = reinterpret_cast<void (*)(const char*)>(::dlsym(m_handle, "copy_init_log"));
            log = reinterpret_cast<int (*)(int, const char*)>(::dlsym(m_handle, "copy_log"));
            disable = reinterpret_cast<void (*)()>(::dlsym(m_handle, "copy_disable_logging"));
        }
    }
    ~LogCopy() {
        if (m_handle) {
            ::dlclose(m_handle);
        }
    }
    LogCopy(const LogCopy&) = delete;
    LogCopy& operator=(const LogCopy&) = delete;
    [[nodiscard]] bool loaded() const { return init && log && disable; }

    void (*init)(const char*) = nullptr;
    int (*log)(int, const char*) = nullptr;
    void (*disable)() = nullptr;

private:
    void* m_handle;
};

TEST(LogCopies, EachCopyKeepsItsOwnFileAndLevel) {
    test::LogRoots roots;
    LogCopy copy;
    ASSERT_TRUE(copy.loaded()) << ::dlerror();
    copy.disable();
    const auto wenlo = roots.root() / "wenlo.log";
    const auto asd = roots.root() / "asd.log";
    test::writeBytes(wenlo, "3");
    test::writeBytes(asd, "1");

    init_log("wenlo");
    copy.init("asd");
    test::writeBytes(wenlo, "3"); // drop the header
    EXPECT_EQ(log_message(kTrace, "editor", "from the editor"), 1);
    EXPECT_EQ(copy.log(kTrace, "filtered by the copy's level"), 0);
    EXPECT_EQ(copy.log(kError, "from the plug-in"), 1);

    const auto editorLines = test::logLines(wenlo);
    ASSERT_EQ(editorLines.size(), 1u);
    EXPECT_EQ(editorLines[0].message, "from the editor");
    const auto pluginLines = test::logLines(asd);
    ASSERT_EQ(pluginLines.size(), 1u);
    EXPECT_EQ(pluginLines[0].tag, "copy");
    EXPECT_EQ(pluginLines[0].message, "from the plug-in");

    // The editor switches logging off: both files go, its own copy stops, and
    // the plug-in's copy writes nothing more because its file is gone.
    disable_logging();
    EXPECT_EQ(log_message(kError, "editor", "off"), 0);
    EXPECT_EQ(copy.log(kError, "nowhere"), 1);
    EXPECT_TRUE(roots.root().entries().empty());

    // Switching it on again creates the plug-in's file, and its copy resumes.
    enable_logging();
    EXPECT_EQ(copy.log(kError, "resumed"), 1);
    const auto resumed = test::logLines(asd);
    ASSERT_EQ(resumed.size(), 1u);
    EXPECT_EQ(resumed[0].message, "resumed");
    EXPECT_TRUE(test::readText(asd).starts_with("3\r\n"));
}

} // namespace
} // namespace pelmora::log
