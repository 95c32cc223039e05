#include "PcscdCardFixture.h"

#include "pcsc/Winscard.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace brontel {
namespace {

using Clock = std::chrono::steady_clock;

} // namespace

void PcscdCard::SetUp() {
    unsetenv(kPcscLibraryVariable);
    ASSERT_TRUE(load_winscard());
    // pcscd may still be opening its socket.
    LONG rv = SCARD_E_NO_SERVICE;
    for (auto until = Clock::now() + std::chrono::seconds(10);
         rv == SCARD_E_NO_SERVICE && Clock::now() < until;) {
        rv = winscard.SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &m_context);
        if (rv == SCARD_E_NO_SERVICE) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    ASSERT_EQ(rv, SCARD_S_SUCCESS);
    ASSERT_TRUE(waitForCard(false)) << kReader << " holds a card of someone else";
}

void PcscdCard::TearDown() {
    m_card.disconnect();
    m_vpcd.reset();
    if (m_context != 0) {
        EXPECT_TRUE(waitForCard(false)) << kReader << " still shows a card";
        winscard.SCardReleaseContext(m_context);
    }
    // pcsc-lite stays loaded: it keeps its lists when unloaded.
}

void PcscdCard::serve(const char* profile, bool persist) {
    m_vpcd = std::make_unique<VpcdProcess>(profile, persist);
    ASSERT_TRUE(waitForCard(true)) << kReader << " shows no card";
}

void PcscdCard::stopServing() {
    m_card.disconnect();
    m_vpcd.reset();
    ASSERT_TRUE(waitForCard(false)) << kReader << " still shows a card";
}

bool PcscdCard::waitForCard(bool present) {
    SCARD_READERSTATE state{};
    state.szReader = kReader;
    state.dwCurrentState = SCARD_STATE_UNAWARE;
    for (auto until = Clock::now() + std::chrono::seconds(15); Clock::now() < until;) {
        const LONG rv = winscard.SCardGetStatusChange(m_context, 500, &state, 1);
        if (rv != SCARD_S_SUCCESS && rv != SCARD_E_TIMEOUT) {
            return false;
        }
        if (((state.dwEventState & SCARD_STATE_PRESENT) != 0) == present) {
            return true;
        }
        state.dwCurrentState = state.dwEventState & ~static_cast<DWORD>(SCARD_STATE_CHANGED);
    }
    return false;
}

} // namespace brontel
