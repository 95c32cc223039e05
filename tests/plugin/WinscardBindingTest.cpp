// Binding the PC/SC library by entry-point name.
#include "pcsc/Winscard.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

namespace brontel {
namespace {

class WinscardBinding : public ::testing::Test {
protected:
    void TearDown() override {
        unload_winscard();
        unsetenv(kPcscLibraryVariable);
    }
    static bool load(const char* path) {
        setenv(kPcscLibraryVariable, path, 1);
        return load_winscard();
    }
    static bool nothingBound() {
        const Winscard& w = winscard;
        return w.module == nullptr && w.SCardTransmit == nullptr && w.SCardControl == nullptr &&
               w.SCardReleaseContext == nullptr && w.SCardEstablishContext == nullptr &&
               w.SCardDisconnect == nullptr && w.SCardCancel == nullptr &&
               w.SCardReconnect == nullptr && w.SCardIsValidContext == nullptr &&
               w.SCardListReaders == nullptr && w.SCardGetStatusChange == nullptr &&
               w.SCardStatus == nullptr && w.SCardConnect == nullptr &&
               w.SCardAddReaderToGroup == nullptr && w.SCardListReaderGroups == nullptr;
    }
};

TEST_F(WinscardBinding, BindsEveryRequiredEntryPointWithoutTheOptionalOne) {
    ASSERT_TRUE(load(SCRIPTED_PCSC_PATH));
    const Winscard& w = winscard;
    EXPECT_NE(w.module, nullptr);
    EXPECT_NE(w.SCardTransmit, nullptr);
    EXPECT_NE(w.SCardEstablishContext, nullptr);
    EXPECT_NE(w.SCardStatus, nullptr);
    EXPECT_NE(w.SCardConnect, nullptr);
    EXPECT_NE(w.SCardListReaderGroups, nullptr);
    EXPECT_EQ(w.SCardAddReaderToGroup, nullptr);
}

TEST_F(WinscardBinding, MissingEntryPointLeavesNothingBoundAndErrnoUnchanged) {
    errno = EDOM;
    EXPECT_FALSE(load(INCOMPLETE_PCSC_PATH));
    EXPECT_EQ(errno, EDOM);
    EXPECT_TRUE(nothingBound());
}

TEST_F(WinscardBinding, IncompleteLibraryReplacesAnEarlierBinding) {
    ASSERT_TRUE(load(SCRIPTED_PCSC_PATH));
    EXPECT_FALSE(load(INCOMPLETE_PCSC_PATH));
    EXPECT_TRUE(nothingBound());
}

TEST_F(WinscardBinding, MissingLibraryBindsNothing) {
    EXPECT_FALSE(load("/nonexistent/libnothing.so"));
    EXPECT_TRUE(nothingBound());
}

TEST_F(WinscardBinding, UnsetVariableMeansTheSystemLibrary) {
    setenv(kPcscLibraryVariable, "", 1);
    ASSERT_TRUE(load_winscard());
    EXPECT_NE(winscard.SCardEstablishContext, nullptr);
}

} // namespace
} // namespace brontel
