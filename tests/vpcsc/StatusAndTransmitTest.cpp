// SCardStatus, SCardTransmit, transactions and the other per-card calls.

#include "VirtualSimTest.h"

#include <reader.h>

#include <atomic>
#include <chrono>
#include <thread>

using StatusTest = VirtualSimTest;

TEST_F(StatusTest, ReportsReaderStateProtocolAndAtr) {
    TestCard card;
    insert(card);
    SCARDHANDLE handle = connect(establish(), 0);

    char name[64] = {};
    DWORD nameLength = sizeof name, state = 0, protocol = 0;
    BYTE atr[MAX_ATR_SIZE] = {};
    DWORD atrLength = sizeof atr;
    ASSERT_EQ(pcsc().Status(handle, name, &nameLength, &state, &protocol, atr, &atrLength),
              SCARD_S_SUCCESS);
    EXPECT_STREQ(name, "Virtual SIM Reader 0");
    EXPECT_EQ(nameLength, sizeof "Virtual SIM Reader 0");
    EXPECT_EQ(state & 0xFFFF, DWORD{SCARD_PRESENT | SCARD_POWERED | SCARD_NEGOTIABLE});
    EXPECT_EQ(state >> 16, 1); // one insertion so far
    EXPECT_EQ(protocol, SCARD_PROTOCOL_T0);
    EXPECT_EQ(Bytes(atr, atr + atrLength), TestCard::t0Atr());
}

TEST_F(StatusTest, BufferConventionsOfPcscLite) {
    TestCard card;
    insert(card);
    SCARDCONTEXT context = establish();
    SCARDHANDLE handle = connect(context, 0);

    char shortName[4] = {};
    DWORD nameLength = sizeof shortName;
    EXPECT_EQ(pcsc().Status(handle, shortName, &nameLength, nullptr, nullptr, nullptr, nullptr),
              SCARD_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(nameLength, sizeof "Virtual SIM Reader 0");

    char* name = nullptr;
    BYTE* atr = nullptr;
    nameLength = SCARD_AUTOALLOCATE;
    DWORD atrLength = SCARD_AUTOALLOCATE;
    ASSERT_EQ(pcsc().Status(handle, reinterpret_cast<char*>(&name), &nameLength, nullptr, nullptr,
                            reinterpret_cast<BYTE*>(&atr), &atrLength),
              SCARD_S_SUCCESS);
    EXPECT_STREQ(name, "Virtual SIM Reader 0");
    EXPECT_EQ(Bytes(atr, atr + atrLength), TestCard::t0Atr());
    EXPECT_EQ(pcsc().FreeMemory(context, name), SCARD_S_SUCCESS);
    EXPECT_EQ(pcsc().FreeMemory(context, atr), SCARD_S_SUCCESS);

    EXPECT_EQ(pcsc().Status(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              SCARD_E_INVALID_HANDLE);
}

TEST_F(StatusTest, InsertionsAndRemovalsAreCountedInTheHighWord) {
    TestCard card;
    insert(card);
    ASSERT_EQ(sim().removeCard(0), 0);
    insert(card);
    DWORD state = 0;
    ASSERT_EQ(
        pcsc().Status(connect(establish(), 0), nullptr, nullptr, &state, nullptr, nullptr, nullptr),
        SCARD_S_SUCCESS);
    EXPECT_EQ(state >> 16, 3);
}

TEST_F(StatusTest, AttributesOfTheReader) {
    TestCard card;
    insert(card);
    SCARDHANDLE handle = connect(establish(), 0);
    BYTE value[MAX_BUFFER_SIZE] = {};
    DWORD length = sizeof value;
    ASSERT_EQ(pcsc().GetAttrib(handle, SCARD_ATTR_ATR_STRING, value, &length), SCARD_S_SUCCESS);
    EXPECT_EQ(Bytes(value, value + length), TestCard::t0Atr());
    length = sizeof value;
    ASSERT_EQ(pcsc().GetAttrib(handle, SCARD_ATTR_DEVICE_FRIENDLY_NAME, value, &length),
              SCARD_S_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(value), "Virtual SIM Reader 0");
    length = 2;
    EXPECT_EQ(pcsc().GetAttrib(handle, SCARD_ATTR_ATR_STRING, value, &length),
              SCARD_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(length, TestCard::t0Atr().size());
    length = sizeof value;
    EXPECT_EQ(pcsc().GetAttrib(handle, SCARD_ATTR_MAXINPUT, value, &length),
              SCARD_E_UNSUPPORTED_FEATURE);
    EXPECT_EQ(pcsc().SetAttrib(handle, SCARD_ATTR_ATR_STRING, value, 1),
              SCARD_E_UNSUPPORTED_FEATURE);

    DWORD returned = 99;
    EXPECT_EQ(pcsc().Control(handle, CM_IOCTL_GET_FEATURE_REQUEST, nullptr, 0, value, sizeof value,
                             &returned),
              SCARD_S_SUCCESS);
    EXPECT_EQ(returned, 0);
    EXPECT_EQ(pcsc().Control(handle, SCARD_CTL_CODE(1), nullptr, 0, value, sizeof value, &returned),
              SCARD_E_UNSUPPORTED_FEATURE);
}

using TransmitTest = VirtualSimTest;

TEST_F(TransmitTest, CarriesTheCommandAndTheWholeAnswer) {
    TestCard card;
    insert(card);
    SCARDHANDLE handle = connect(establish(), 0);
    Bytes response = transmit(handle, hex("A0 B2 01 04 03"));
    EXPECT_EQ(response, hex("00 01 02 90 00"));
    ASSERT_EQ(card.received.size(), 1u);
    EXPECT_EQ(card.received[0], hex("A0 B2 01 04 03"));
    EXPECT_EQ(sim().apduCount(0), 1u);
}

TEST_F(TransmitTest, CaseOneCommandGoesOutWithP3Zero) {
    TestCard card;
    insert(card);
    transmit(connect(establish(), 0), hex("A0 04 00 00"));
    ASSERT_EQ(card.received.size(), 1u);
    EXPECT_EQ(card.received[0], hex("A0 04 00 00 00"));
}

TEST_F(TransmitTest, ShortReceiveBufferLearnsTheLengthAfterTheCardActed) {
    TestCard card;
    insert(card);
    SCARDHANDLE handle = connect(establish(), 0);
    const Bytes command = hex("A0 B0 00 00 1E");
    BYTE response[10] = {};
    DWORD length = sizeof response;
    EXPECT_EQ(pcsc().Transmit(handle, pcsc().T0Pci, command.data(), command.size(), nullptr,
                              response, &length),
              SCARD_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(length, 32u);
    EXPECT_EQ(card.received.size(), 1u);

    length = 1; // no room even for a status word: the card is not asked
    EXPECT_EQ(pcsc().Transmit(handle, pcsc().T0Pci, command.data(), command.size(), nullptr,
                              response, &length),
              SCARD_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(card.received.size(), 1u);
}

TEST_F(TransmitTest, RefusesWrongProtocolAndMissingArguments) {
    TestCard card;
    insert(card);
    SCARDHANDLE handle = connect(establish(), 0);
    const Bytes command = hex("A0 F2 00 00 16");
    BYTE response[64];
    DWORD length = sizeof response;
    EXPECT_EQ(pcsc().Transmit(handle, pcsc().T1Pci, command.data(), command.size(), nullptr,
                              response, &length),
              SCARD_E_PROTO_MISMATCH);
    EXPECT_EQ(pcsc().Transmit(handle, nullptr, command.data(), command.size(), nullptr, response,
                              &length),
              SCARD_E_INVALID_PARAMETER);
    EXPECT_EQ(pcsc().Transmit(handle, pcsc().T0Pci, command.data(), command.size(), nullptr,
                              nullptr, &length),
              SCARD_E_INVALID_PARAMETER);
    length = sizeof response;
    EXPECT_EQ(pcsc().Transmit(handle + 1000, pcsc().T0Pci, command.data(), command.size(), nullptr,
                              response, &length),
              SCARD_E_INVALID_HANDLE);
    EXPECT_EQ(length, 0u);
    EXPECT_TRUE(card.received.empty());
}

TEST_F(TransmitTest, AMuteCardFailsTheTransmission) {
    TestCard card;
    card.answer = [](const Bytes&) { return Bytes(); };
    insert(card);
    LONG rv = 0;
    transmit(connect(establish(), 0), hex("A0 F2 00 00 16"), &rv);
    EXPECT_EQ(rv, SCARD_E_NOT_TRANSACTED);
}

TEST_F(TransmitTest, LatencyDelaysEveryCommand) {
    TestCard card;
    insert(card);
    ASSERT_EQ(sim().setLatency(0, 60), 0);
    SCARDHANDLE handle = connect(establish(), 0);
    auto before = std::chrono::steady_clock::now();
    transmit(handle, hex("A0 F2 00 00 16"));
    transmit(handle, hex("A0 F2 00 00 16"));
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(120));
}

TEST_F(TransmitTest, TraceKeepsCommandsAnswersAndResults) {
    TestCard card;
    insert(card);
    ASSERT_EQ(sim().addFault("A0B2#2=0x80100016"), 0);
    SCARDHANDLE handle = connect(establish(), 0);
    transmit(handle, hex("A0 B2 01 04 02"));
    LONG rv = 0;
    transmit(handle, hex("A0 B2 02 04 02"), &rv);
    ASSERT_EQ(sim().traceSize(), 2u);
    VirtualSimApdu entry{};
    ASSERT_EQ(sim().traceEntry(0, &entry), 0);
    EXPECT_EQ(entry.reader, 0);
    EXPECT_EQ(entry.result, SCARD_S_SUCCESS);
    EXPECT_EQ(Bytes(entry.command, entry.command + entry.commandLength), hex("A0 B2 01 04 02"));
    EXPECT_EQ(Bytes(entry.response, entry.response + entry.responseLength), hex("00 01 90 00"));
    ASSERT_EQ(sim().traceEntry(1, &entry), 0);
    EXPECT_EQ(entry.result, SCARD_E_NOT_TRANSACTED);
    EXPECT_EQ(entry.responseLength, 0u);
    EXPECT_EQ(sim().traceEntry(2, &entry), -1);
    sim().clearTrace();
    EXPECT_EQ(sim().apduCount(-1), 0u);
    EXPECT_EQ(sim().traceSize(), 0u);
}

using TransactionTest = VirtualSimTest;

TEST_F(TransactionTest, EndWithoutBeginIsNotTransacted) {
    TestCard card;
    insert(card);
    SCARDCONTEXT context = establish();
    SCARDHANDLE shared = connect(context, 0, SCARD_SHARE_SHARED);
    EXPECT_EQ(pcsc().EndTransaction(shared, SCARD_LEAVE_CARD), SCARD_E_NOT_TRANSACTED);
    ASSERT_EQ(pcsc().BeginTransaction(shared), SCARD_S_SUCCESS);
    EXPECT_EQ(pcsc().EndTransaction(shared, SCARD_LEAVE_CARD), SCARD_S_SUCCESS);
    ASSERT_EQ(pcsc().Disconnect(shared, SCARD_LEAVE_CARD), SCARD_S_SUCCESS);

    SCARDHANDLE exclusive = connect(context, 0, SCARD_SHARE_EXCLUSIVE);
    EXPECT_EQ(pcsc().EndTransaction(exclusive, SCARD_LEAVE_CARD), SCARD_E_NOT_TRANSACTED);
    ASSERT_EQ(pcsc().BeginTransaction(exclusive), SCARD_S_SUCCESS);
    EXPECT_EQ(pcsc().EndTransaction(exclusive, SCARD_LEAVE_CARD), SCARD_S_SUCCESS);
}

TEST_F(TransactionTest, OthersWaitUntilTheTransactionEnds) {
    TestCard card;
    insert(card);
    SCARDCONTEXT context = establish();
    SCARDHANDLE owner = connect(context, 0, SCARD_SHARE_SHARED);
    SCARDHANDLE other = connect(context, 0, SCARD_SHARE_SHARED);
    ASSERT_EQ(pcsc().BeginTransaction(owner), SCARD_S_SUCCESS);

    std::atomic<bool> done{false};
    LONG otherResult = -1;
    std::thread waiter([&] {
        transmit(other, hex("A0 F2 00 00 16"), &otherResult);
        done = true;
    });
    transmit(owner, hex("A0 F2 00 00 16"));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(done);
    EXPECT_EQ(card.received.size(), 1u);
    ASSERT_EQ(pcsc().EndTransaction(owner, SCARD_LEAVE_CARD), SCARD_S_SUCCESS);
    waiter.join();
    EXPECT_EQ(otherResult, SCARD_S_SUCCESS);
    EXPECT_EQ(card.received.size(), 2u);
}
