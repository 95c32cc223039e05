// Failures a test can cause: chosen answers, chosen PC/SC errors, cards pulled
// or removed, a restart of the resource manager; set by call or environment.

#include "VirtualSimTest.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

const Bytes kUpdateRecord = hex("A0 DC 01 04 02 11 22");
const Bytes kReadRecord = hex("A0 B2 01 04 02");

} // namespace

using FaultRuleTest = VirtualSimTest;

TEST_F(FaultRuleTest, StatusWordAnswersTheChosenCommandInsteadOfTheCard) {
    TestCard card;
    insert(card);
    ASSERT_EQ(sim().addFault("A0DC#2=6581"), 0) << sim().lastError();
    SCARDHANDLE handle = connect(establish(), 0);
    EXPECT_EQ(transmit(handle, kReadRecord), hex("00 01 90 00"));
    EXPECT_EQ(transmit(handle, kUpdateRecord), hex("90 00"));
    EXPECT_EQ(transmit(handle, kUpdateRecord), hex("65 81"));
    EXPECT_EQ(transmit(handle, kUpdateRecord), hex("90 00"));
    EXPECT_EQ(card.received.size(), 3u); // the failed update never reached the card
    EXPECT_EQ(sim().apduCount(0), 4u);
}

TEST_F(FaultRuleTest, PcscErrorFailsEveryMatchingCommandOnTheChosenReader) {
    ASSERT_EQ(sim().addReader(nullptr), 1);
    TestCard first, second;
    insert(first, 0);
    insert(second, 1);
    ASSERT_EQ(sim().addFault("A0B2@1=0x80100016"), 0);
    SCARDCONTEXT context = establish();
    SCARDHANDLE onFirst = connect(context, 0), onSecond = connect(context, 1);
    LONG rv = 0;
    for (int i = 0; i < 2; ++i) {
        transmit(onSecond, kReadRecord, &rv);
        EXPECT_EQ(rv, SCARD_E_NOT_TRANSACTED);
    }
    transmit(onFirst, kReadRecord);
    transmit(onSecond, kUpdateRecord);
    EXPECT_EQ(second.received.size(), 1u);
    sim().clearFaults();
    transmit(onSecond, kReadRecord);
}

TEST_F(FaultRuleTest, MalformedRulesAreRefusedWhole) {
    const char* const malformed[] = {"A0DC",     "A0D=6581", "A0DC#0=6581", "A0DC=65",
                                     "*@x=6581", "*=0x8010", "*=explode",   "A0DC=6581;B2"};
    for (const char* rules : malformed) {
        EXPECT_EQ(sim().addFault(rules), -1) << rules;
        EXPECT_STRNE(sim().lastError(), "") << rules;
    }
    TestCard card;
    insert(card);
    transmit(connect(establish(), 0), kUpdateRecord); // nothing was added
}

using CardPullTest = VirtualSimTest;

TEST_F(CardPullTest, PulledCardFailsOnceThenReadsAsRemoved) {
    TestCard card;
    insert(card);
    SCARDHANDLE handle = connect(establish(), 0);
    transmit(handle, kReadRecord);
    ASSERT_EQ(sim().pullCard(0), 0);
    EXPECT_EQ(sim().cardPresent(0), 0);
    LONG rv = 0;
    transmit(handle, kReadRecord, &rv);
    EXPECT_EQ(rv, SCARD_E_NOT_TRANSACTED);
    transmit(handle, kReadRecord, &rv);
    EXPECT_EQ(rv, SCARD_W_REMOVED_CARD);
    EXPECT_EQ(pcsc().Status(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              SCARD_W_REMOVED_CARD);
    DWORD active = 0;
    EXPECT_EQ(pcsc().Reconnect(handle, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0, SCARD_LEAVE_CARD,
                               &active),
              SCARD_E_NO_SMARTCARD);
    EXPECT_EQ(card.received.size(), 1u);
    EXPECT_EQ(pcsc().Disconnect(handle, SCARD_LEAVE_CARD), SCARD_S_SUCCESS);
}

TEST_F(CardPullTest, PullRuleTakesTheCardBeforeTheChosenCommand) {
    TestCard card;
    insert(card);
    ASSERT_EQ(sim().addFault("*#3=pull"), 0);
    SCARDHANDLE handle = connect(establish(), 0);
    LONG rv = 0;
    transmit(handle, kReadRecord);
    transmit(handle, kReadRecord);
    transmit(handle, kReadRecord, &rv);
    EXPECT_EQ(rv, SCARD_E_NOT_TRANSACTED);
    transmit(handle, kReadRecord, &rv);
    EXPECT_EQ(rv, SCARD_W_REMOVED_CARD);
    EXPECT_EQ(card.received.size(), 2u);
}

TEST_F(CardPullTest, RemovedCardIsKnownAtOnceAndAReinsertedOneNeedsAReconnect) {
    TestCard card;
    insert(card);
    SCARDHANDLE handle = connect(establish(), 0);
    ASSERT_EQ(sim().removeCard(0), 0);
    LONG rv = 0;
    transmit(handle, kReadRecord, &rv);
    EXPECT_EQ(rv, SCARD_W_REMOVED_CARD);

    insert(card);
    transmit(handle, kReadRecord, &rv);
    EXPECT_EQ(rv, SCARD_W_REMOVED_CARD);
    DWORD active = 0;
    ASSERT_EQ(pcsc().Reconnect(handle, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0, SCARD_LEAVE_CARD,
                               &active),
              SCARD_S_SUCCESS);
    transmit(handle, kReadRecord);
}

TEST_F(CardPullTest, UnnoticedPullIsNoticedByTheReaderSoonAfter) {
    TestCard card;
    insert(card);
    SCARDCONTEXT context = establish();
    SCARD_READERSTATE state{};
    std::string name = readerName(0);
    state.szReader = name.c_str();
    state.dwCurrentState = SCARD_STATE_UNAWARE;
    ASSERT_EQ(pcsc().GetStatusChange(context, 0, &state, 1), SCARD_S_SUCCESS);
    ASSERT_TRUE(state.dwEventState & SCARD_STATE_PRESENT);

    ASSERT_EQ(sim().pullCard(0), 0);
    state.dwCurrentState = state.dwEventState & ~static_cast<DWORD>(SCARD_STATE_CHANGED);
    ASSERT_EQ(pcsc().GetStatusChange(context, 10000, &state, 1), SCARD_S_SUCCESS);
    EXPECT_TRUE(state.dwEventState & SCARD_STATE_EMPTY);
    EXPECT_TRUE(state.dwEventState & SCARD_STATE_CHANGED);
}

using RestartTest = VirtualSimTest;

TEST_F(RestartTest, AsPcscLiteClientsSeeIt) {
    TestCard card;
    insert(card);
    SCARDCONTEXT old = establish();
    SCARDHANDLE handle = connect(old, 0);
    sim().restartService(0);
    EXPECT_EQ(card.powerCycles, 1);

    EXPECT_EQ(pcsc().IsValidContext(old), SCARD_S_SUCCESS); // checked locally only
    EXPECT_EQ(tryConnect(old, 0, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0), SCARD_E_NO_SERVICE);
    LONG rv = 0;
    transmit(handle, kReadRecord, &rv);
    EXPECT_EQ(rv, SCARD_E_NO_SERVICE);
    EXPECT_EQ(pcsc().ReleaseContext(old), SCARD_E_NO_SERVICE);
    EXPECT_EQ(pcsc().IsValidContext(old), SCARD_E_INVALID_HANDLE);

    // A new context finds the card free again.
    transmit(connect(establish(), 0), kReadRecord);
}

TEST_F(RestartTest, InvalidatingEveryContext) {
    TestCard card;
    insert(card);
    SCARDCONTEXT old = establish();
    SCARDHANDLE handle = connect(old, 0);
    sim().restartService(1);
    EXPECT_EQ(pcsc().IsValidContext(old), SCARD_E_INVALID_HANDLE);
    LONG rv = 0;
    transmit(handle, kReadRecord, &rv);
    EXPECT_EQ(rv, SCARD_E_INVALID_HANDLE);
    connect(establish(), 0);
}

TEST_F(RestartTest, RestartRuleStrikesDuringTheChosenCommand) {
    TestCard card;
    insert(card);
    ASSERT_EQ(sim().addFault("*#2=restart"), 0);
    SCARDCONTEXT context = establish();
    SCARDHANDLE handle = connect(context, 0);
    LONG rv = 0;
    transmit(handle, kReadRecord);
    transmit(handle, kReadRecord, &rv);
    EXPECT_EQ(rv, SCARD_E_NO_SERVICE);
    EXPECT_EQ(tryConnect(context, 0, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0), SCARD_E_NO_SERVICE);
    EXPECT_EQ(card.received.size(), 1u);
}

using EnvironmentFaultTest = VirtualSimTest;

TEST_F(EnvironmentFaultTest, FaultsLatencyAndTraceFromTheEnvironment) {
    char traceFile[] = "/tmp/virtualsim-trace-XXXXXX";
    int fd = mkstemp(traceFile);
    ASSERT_GE(fd, 0);
    close(fd);
    start({{"VIRTUALSIM_CARDS", ""},
           {"VIRTUALSIM_FAULTS", "A0B2#2=6A83; A0DC=0x80100069"},
           {"VIRTUALSIM_TRACE", traceFile}});
    TestCard card;
    insert(card);
    SCARDHANDLE handle = connect(establish(), 0);
    transmit(handle, kReadRecord);
    EXPECT_EQ(transmit(handle, kReadRecord), hex("6A 83"));
    LONG rv = 0;
    transmit(handle, kUpdateRecord, &rv);
    EXPECT_EQ(rv, SCARD_W_REMOVED_CARD);

    std::ifstream in(traceFile);
    std::string line;
    std::vector<std::string> lines;
    while (std::getline(in, line))
        lines.push_back(line);
    std::remove(traceFile);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "0 A0B2010402 00019000 00000000");
    EXPECT_EQ(lines[1], "0 A0B2010402 6A83 00000000");
    EXPECT_EQ(lines[2], "0 A0DC0104021122 - 80100069");
}
