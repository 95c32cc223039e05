// Connecting: sharing, protocol negotiation, disconnect dispositions, resets
// seen by other connections, and power-down of an idle card.

#include "VirtualSimTest.h"

namespace {

const Bytes kT1OnlyAtr = {0x3B, 0x80, 0x01, 0x81};
const Bytes kT0AndT1Atr = {0x3B, 0x80, 0x80, 0x01, 0x01};
const Bytes kSpecificT1Atr = {0x3B, 0x80, 0x10, 0x01};
const Bytes kCutShortAtr = {0x3B, 0x8F};

struct SharingCase {
    const char* name;
    DWORD first;
    DWORD second;
    LONG expected;
};

void PrintTo(const SharingCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

class SharingTest : public VirtualSimTest, public ::testing::WithParamInterface<SharingCase> {};

TEST_P(SharingTest, SecondConnection) {
    TestCard card;
    insert(card);
    SCARDCONTEXT holder = establish(), other = establish();
    connect(holder, 0, GetParam().first);
    EXPECT_EQ(tryConnect(other, 0, GetParam().second, SCARD_PROTOCOL_T0), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SharingTest,
    ::testing::Values(SharingCase{"ExclusiveThenExclusive", SCARD_SHARE_EXCLUSIVE,
                                  SCARD_SHARE_EXCLUSIVE, SCARD_E_SHARING_VIOLATION},
                      SharingCase{"ExclusiveThenShared", SCARD_SHARE_EXCLUSIVE, SCARD_SHARE_SHARED,
                                  SCARD_E_SHARING_VIOLATION},
                      SharingCase{"SharedThenExclusive", SCARD_SHARE_SHARED, SCARD_SHARE_EXCLUSIVE,
                                  SCARD_E_SHARING_VIOLATION},
                      SharingCase{"SharedThenShared", SCARD_SHARE_SHARED, SCARD_SHARE_SHARED,
                                  SCARD_S_SUCCESS},
                      SharingCase{"DirectThenExclusive", SCARD_SHARE_DIRECT, SCARD_SHARE_EXCLUSIVE,
                                  SCARD_E_SHARING_VIOLATION},
                      SharingCase{"ExclusiveThenDirect", SCARD_SHARE_EXCLUSIVE, SCARD_SHARE_DIRECT,
                                  SCARD_E_SHARING_VIOLATION}),
    [](const auto& info) { return std::string(info.param.name); });

using ConnectTest = VirtualSimTest;

TEST_F(ConnectTest, RefusalsCarryPcscLiteCodes) {
    ASSERT_EQ(sim().addReader(nullptr), 1);
    TestCard card;
    insert(card, 1);
    SCARDCONTEXT context = establish();
    SCARDHANDLE handle = 77;
    DWORD active = 0;

    EXPECT_EQ(tryConnect(context, 0, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0),
              SCARD_E_NO_SMARTCARD);
    EXPECT_EQ(pcsc().Connect(context, "No Such Reader", SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0,
                             &handle, &active),
              SCARD_E_UNKNOWN_READER);
    EXPECT_EQ(handle, 0);
    EXPECT_EQ(pcsc().Connect(context, nullptr, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0, &handle,
                             &active),
              SCARD_E_UNKNOWN_READER);
    EXPECT_EQ(tryConnect(context, 1, 9, SCARD_PROTOCOL_T0), SCARD_E_INVALID_VALUE);
    EXPECT_EQ(tryConnect(context, 1, SCARD_SHARE_SHARED, 0), SCARD_E_PROTO_MISMATCH);
    EXPECT_EQ(pcsc().Connect(context, readerName(1).c_str(), SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0,
                             nullptr, &active),
              SCARD_E_INVALID_PARAMETER);
    // A reader without a card still takes a direct connection.
    SCARDHANDLE direct = 0;
    EXPECT_EQ(tryConnect(context, 0, SCARD_SHARE_DIRECT, 0, &direct), SCARD_S_SUCCESS);
    EXPECT_NE(direct, 0);
}

struct NegotiationCase {
    const char* name;
    Bytes atr;
    DWORD asked;
    LONG expected;
    DWORD active;
};

void PrintTo(const NegotiationCase& c, std::ostream* out) {
    *out << c.name;
}

class NegotiationTest : public VirtualSimTest,
                        public ::testing::WithParamInterface<NegotiationCase> {};

TEST_P(NegotiationTest, FirstConnectionPicksTheProtocol) {
    TestCard card(GetParam().atr);
    insert(card);
    SCARDCONTEXT context = establish();
    DWORD active = 99;
    EXPECT_EQ(tryConnect(context, 0, SCARD_SHARE_SHARED, GetParam().asked, nullptr, &active),
              GetParam().expected);
    if (GetParam().expected == SCARD_S_SUCCESS) {
        EXPECT_EQ(active, GetParam().active);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Atrs, NegotiationTest,
    ::testing::Values(
        NegotiationCase{"T0CardAskedT0", TestCard::t0Atr(), SCARD_PROTOCOL_T0, SCARD_S_SUCCESS,
                        SCARD_PROTOCOL_T0},
        NegotiationCase{"T0CardAskedAny", TestCard::t0Atr(), SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1,
                        SCARD_S_SUCCESS, SCARD_PROTOCOL_T0},
        NegotiationCase{"T0CardAskedT1", TestCard::t0Atr(), SCARD_PROTOCOL_T1,
                        SCARD_E_PROTO_MISMATCH, 0},
        NegotiationCase{"T1CardAskedT0", kT1OnlyAtr, SCARD_PROTOCOL_T0, SCARD_E_PROTO_MISMATCH, 0},
        NegotiationCase{"DualCardAskedAnyGetsT1", kT0AndT1Atr,
                        SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1, SCARD_S_SUCCESS, SCARD_PROTOCOL_T1},
        NegotiationCase{"DualCardAskedT0", kT0AndT1Atr, SCARD_PROTOCOL_T0, SCARD_S_SUCCESS,
                        SCARD_PROTOCOL_T0},
        NegotiationCase{"SpecificModeT1AskedT0", kSpecificT1Atr, SCARD_PROTOCOL_T0,
                        SCARD_E_PROTO_MISMATCH, 0},
        NegotiationCase{"CutShortAtr", kCutShortAtr, SCARD_PROTOCOL_T0, SCARD_E_PROTO_MISMATCH, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConnectTest, LaterConnectionsMustAcceptTheNegotiatedProtocol) {
    TestCard card(kT0AndT1Atr);
    insert(card);
    SCARDCONTEXT context = establish();
    connect(context, 0, SCARD_SHARE_SHARED, SCARD_PROTOCOL_T1);
    EXPECT_EQ(tryConnect(context, 0, SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0),
              SCARD_E_PROTO_MISMATCH);
}

TEST_F(ConnectTest, DisconnectEndsTheExclusiveHold) {
    TestCard card;
    insert(card);
    SCARDCONTEXT first = establish(), second = establish();
    SCARDHANDLE handle = connect(first, 0);
    EXPECT_EQ(pcsc().Disconnect(handle, 7), SCARD_E_INVALID_VALUE);
    EXPECT_EQ(pcsc().Disconnect(handle, SCARD_LEAVE_CARD), SCARD_S_SUCCESS);
    EXPECT_EQ(pcsc().Disconnect(handle, SCARD_LEAVE_CARD), SCARD_E_INVALID_HANDLE);
    connect(second, 0);
    EXPECT_EQ(card.powerCycles, 0);
}

TEST_F(ConnectTest, ReleasingAContextResetsTheCardItHeld) {
    TestCard card;
    insert(card);
    SCARDCONTEXT first = establish(), second = establish();
    SCARDHANDLE handle = connect(first, 0);
    ASSERT_EQ(pcsc().ReleaseContext(first), SCARD_S_SUCCESS);
    EXPECT_EQ(card.powerCycles, 1);
    LONG rv = 0;
    transmit(handle, hex("A0 F2 00 00 16"), &rv);
    EXPECT_EQ(rv, SCARD_E_INVALID_HANDLE);
    connect(second, 0);
}

TEST_F(ConnectTest, AResetIsReportedToTheOtherConnectionsUntilTheyReconnect) {
    TestCard card;
    insert(card);
    SCARDCONTEXT context = establish();
    SCARDHANDLE resetter = connect(context, 0, SCARD_SHARE_SHARED);
    SCARDHANDLE other = connect(context, 0, SCARD_SHARE_SHARED);
    ASSERT_EQ(pcsc().Disconnect(resetter, SCARD_RESET_CARD), SCARD_S_SUCCESS);
    EXPECT_EQ(card.powerCycles, 1);

    LONG rv = 0;
    transmit(other, hex("A0 F2 00 00 16"), &rv);
    EXPECT_EQ(rv, SCARD_W_RESET_CARD);
    EXPECT_EQ(pcsc().Status(other, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              SCARD_W_RESET_CARD);
    DWORD active = 0;
    ASSERT_EQ(
        pcsc().Reconnect(other, SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0, SCARD_LEAVE_CARD, &active),
        SCARD_S_SUCCESS);
    EXPECT_EQ(active, SCARD_PROTOCOL_T0);
    transmit(other, hex("A0 F2 00 00 16"));
}

TEST_F(ConnectTest, ReconnectChangesSharingAndCanResetTheCard) {
    TestCard card;
    insert(card);
    SCARDCONTEXT context = establish(), other = establish();
    SCARDHANDLE handle = connect(context, 0, SCARD_SHARE_SHARED);
    DWORD active = 0;
    ASSERT_EQ(pcsc().Reconnect(handle, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0, SCARD_RESET_CARD,
                               &active),
              SCARD_S_SUCCESS);
    EXPECT_EQ(card.powerCycles, 1);
    EXPECT_EQ(tryConnect(other, 0, SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0),
              SCARD_E_SHARING_VIOLATION);
    ASSERT_EQ(
        pcsc().Reconnect(handle, SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0, SCARD_LEAVE_CARD, &active),
        SCARD_S_SUCCESS);
    SCARDHANDLE second = connect(other, 0, SCARD_SHARE_SHARED);
    EXPECT_EQ(pcsc().Reconnect(second, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0, SCARD_LEAVE_CARD,
                               &active),
              SCARD_E_SHARING_VIOLATION);
    EXPECT_EQ(
        pcsc().Reconnect(second, SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0, SCARD_EJECT_CARD, &active),
        SCARD_E_INVALID_VALUE);
    EXPECT_EQ(
        pcsc().Reconnect(second, SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0, SCARD_LEAVE_CARD, nullptr),
        SCARD_E_INVALID_PARAMETER);
}

TEST_F(ConnectTest, AnIdleCardIsPoweredDownAndLosesItsState) {
    TestCard card;
    insert(card);
    SCARDCONTEXT context = establish();

    // Within the grace period the card stays powered between connections.
    sim().setPowerOffDelay(60000);
    ASSERT_EQ(pcsc().Disconnect(connect(context, 0), SCARD_LEAVE_CARD), SCARD_S_SUCCESS);
    ASSERT_EQ(pcsc().Disconnect(connect(context, 0), SCARD_LEAVE_CARD), SCARD_S_SUCCESS);
    EXPECT_EQ(card.powerCycles, 0);

    sim().setPowerOffDelay(0);
    connect(context, 0);
    EXPECT_EQ(card.powerCycles, 1);
}
