// SCardGetStatusChange and SCardCancel.

#include "VirtualSimTest.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// The state points into the name: a temporary would dangle.
SCARD_READERSTATE watch(std::string&&, DWORD) = delete;
SCARD_READERSTATE watch(const std::string& name, DWORD current) {
    SCARD_READERSTATE state{};
    state.szReader = name.c_str();
    state.dwCurrentState = current;
    return state;
}

DWORD known(const SCARD_READERSTATE& state) {
    return state.dwEventState & ~static_cast<DWORD>(SCARD_STATE_CHANGED);
}

} // namespace

using StatusChangeTest = VirtualSimTest;

TEST_F(StatusChangeTest, AnUnawareCallerIsAnsweredAtOnce) {
    ASSERT_EQ(sim().addReader(nullptr), 1);
    TestCard card;
    insert(card, 1);
    std::string empty = readerName(0), holding = readerName(1);
    SCARD_READERSTATE states[] = {watch(empty, SCARD_STATE_UNAWARE),
                                  watch(holding, SCARD_STATE_UNAWARE)};
    ASSERT_EQ(pcsc().GetStatusChange(establish(), 0, states, 2), SCARD_S_SUCCESS);
    EXPECT_EQ(states[0].dwEventState & 0xFFFF, DWORD{SCARD_STATE_EMPTY | SCARD_STATE_CHANGED});
    EXPECT_EQ(states[0].cbAtr, 0u);
    EXPECT_EQ(states[1].dwEventState & 0xFFFF, DWORD{SCARD_STATE_PRESENT | SCARD_STATE_CHANGED});
    EXPECT_EQ(states[1].dwEventState >> 16, 1u);
    EXPECT_EQ(Bytes(states[1].rgbAtr, states[1].rgbAtr + states[1].cbAtr), TestCard::t0Atr());
}

TEST_F(StatusChangeTest, NothingNewTimesOut) {
    std::string name = readerName(0);
    SCARDCONTEXT context = establish();
    SCARD_READERSTATE state = watch(name, SCARD_STATE_UNAWARE);
    ASSERT_EQ(pcsc().GetStatusChange(context, 0, &state, 1), SCARD_S_SUCCESS);
    state.dwCurrentState = known(state);
    EXPECT_EQ(pcsc().GetStatusChange(context, 0, &state, 1), SCARD_E_TIMEOUT);
    EXPECT_EQ(pcsc().GetStatusChange(context, 30, &state, 1), SCARD_E_TIMEOUT);
}

TEST_F(StatusChangeTest, InsertionWakesAWaiter) {
    TestCard card;
    std::string name = readerName(0);
    SCARDCONTEXT context = establish();
    SCARD_READERSTATE state = watch(name, SCARD_STATE_EMPTY);
    std::thread inserter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        insert(card);
    });
    LONG rv = pcsc().GetStatusChange(context, INFINITE, &state, 1);
    inserter.join();
    ASSERT_EQ(rv, SCARD_S_SUCCESS);
    EXPECT_EQ(state.dwEventState & 0xFFFF, DWORD{SCARD_STATE_PRESENT | SCARD_STATE_CHANGED});
}

TEST_F(StatusChangeTest, ConnectionsShowAsInUseOrExclusive) {
    TestCard card;
    insert(card);
    std::string name = readerName(0);
    SCARDCONTEXT context = establish();
    SCARD_READERSTATE state = watch(name, SCARD_STATE_UNAWARE);
    SCARDHANDLE shared = connect(context, 0, SCARD_SHARE_SHARED);
    ASSERT_EQ(pcsc().GetStatusChange(context, 0, &state, 1), SCARD_S_SUCCESS);
    EXPECT_TRUE(state.dwEventState & SCARD_STATE_INUSE);

    ASSERT_EQ(pcsc().Disconnect(shared, SCARD_LEAVE_CARD), SCARD_S_SUCCESS);
    state.dwCurrentState = known(state);
    ASSERT_EQ(pcsc().GetStatusChange(context, 0, &state, 1), SCARD_S_SUCCESS);
    EXPECT_FALSE(state.dwEventState & SCARD_STATE_INUSE);

    connect(context, 0, SCARD_SHARE_EXCLUSIVE);
    state.dwCurrentState = SCARD_STATE_UNAWARE;
    ASSERT_EQ(pcsc().GetStatusChange(context, 0, &state, 1), SCARD_S_SUCCESS);
    EXPECT_TRUE(state.dwEventState & SCARD_STATE_EXCLUSIVE);
}

TEST_F(StatusChangeTest, CancelEndsAWaitOfTheSameContext) {
    std::string name = readerName(0);
    SCARDCONTEXT context = establish();
    SCARD_READERSTATE state = watch(name, SCARD_STATE_EMPTY);
    std::atomic<LONG> rv{0};
    std::thread waiter([&] { rv = pcsc().GetStatusChange(context, INFINITE, &state, 1); });
    // Cancel only reaches a call that is already waiting; keep asking.
    for (int i = 0; i < 500; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(pcsc().Cancel(context), SCARD_S_SUCCESS);
        if (rv != 0)
            break;
    }
    waiter.join();
    EXPECT_EQ(rv, SCARD_E_CANCELLED);
}

TEST_F(StatusChangeTest, ReaderListNotificationReportsReadersComingAndGoing) {
    SCARDCONTEXT context = establish();
    const std::string pnp = "\\\\?PnP?\\Notification";
    SCARD_READERSTATE state = watch(pnp, SCARD_STATE_UNAWARE);
    EXPECT_EQ(pcsc().GetStatusChange(context, 0, &state, 1), SCARD_E_TIMEOUT);
    state.dwCurrentState = state.dwEventState;
    ASSERT_NE(state.dwCurrentState >> 16, 0u);

    std::thread plugger([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        sim().addReader(nullptr);
    });
    LONG rv = pcsc().GetStatusChange(context, INFINITE, &state, 1);
    plugger.join();
    ASSERT_EQ(rv, SCARD_S_SUCCESS);
    EXPECT_TRUE(state.dwEventState & SCARD_STATE_CHANGED);

    // A caller that remembers the count learns of changes made in between.
    state.dwCurrentState = known(state);
    ASSERT_EQ(sim().removeReader(1), 0);
    EXPECT_EQ(pcsc().GetStatusChange(context, 0, &state, 1), SCARD_S_SUCCESS);
}

TEST_F(StatusChangeTest, ArgumentChecks) {
    SCARDCONTEXT context = establish();
    const std::string nobody = "Nobody";
    SCARD_READERSTATE state = watch(nobody, SCARD_STATE_UNAWARE);
    EXPECT_EQ(pcsc().GetStatusChange(context, 0, &state, 1), SCARD_E_UNKNOWN_READER);
    EXPECT_EQ(pcsc().GetStatusChange(context, 0, nullptr, 1), SCARD_E_INVALID_PARAMETER);
    EXPECT_EQ(pcsc().GetStatusChange(context, 0, &state, PCSCLITE_MAX_READERS_CONTEXTS + 1),
              SCARD_E_INVALID_PARAMETER);
    state.szReader = nullptr;
    EXPECT_EQ(pcsc().GetStatusChange(context, 0, &state, 1), SCARD_E_INVALID_VALUE);
    // With nothing to watch pcsc-lite does not even look at the context.
    EXPECT_EQ(pcsc().GetStatusChange(0, 0, nullptr, 0), SCARD_S_SUCCESS);
    std::string name = readerName(0);
    SCARD_READERSTATE ignored = watch(name, SCARD_STATE_IGNORE);
    EXPECT_EQ(pcsc().GetStatusChange(0, INFINITE, &ignored, 1), SCARD_S_SUCCESS);
}
