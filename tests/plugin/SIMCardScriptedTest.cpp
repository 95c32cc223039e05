// SIMCard against a scripted resource manager: the bytes each command sends,
// the connection parameters, and card answers that no well-behaved card gives.
#include "ScriptedCardFixture.h"

#include "pcsc/ErrorText.h"

#include <functional>

namespace brontel {
namespace {

using Bytes = std::vector<uint8_t>;

// ---- Connection ----------------------------------------------------------

TEST_F(ScriptedCard, ConnectsExclusivelyWithT0AndReadsStatus) {
    const uint8_t atr[] = {0x3B, 0x9F, 0x95, 0x80, 0x1F};
    scripted_set_card("Lecteur carte à puce Ω 0", atr, sizeof atr);
    ASSERT_EQ(card.connect(&context, u"Lecteur carte à puce Ω 0"), 1);
    EXPECT_STREQ(scripted_last_reader(), "Lecteur carte à puce Ω 0");
    EXPECT_EQ(scripted_last("share_mode"), SCARD_SHARE_EXCLUSIVE);
    EXPECT_EQ(scripted_last("protocols"), SCARD_PROTOCOL_T0);
    EXPECT_EQ(card.reader_name(), u"Lecteur carte à puce Ω 0");
    EXPECT_EQ(card.atr_text(), u"3B9F95801F");
    EXPECT_EQ(card.atr().size(), 5u);
    EXPECT_NE(card.card_handle(), 0);
    EXPECT_EQ(card.pcsc_result(), 0);
}

TEST_F(ScriptedCard, LongestAtrGivesSixtySixCharacters) {
    Bytes atr(33);
    for (size_t i = 0; i < atr.size(); ++i) {
        atr[i] = static_cast<uint8_t>(0xA0 + i);
    }
    scripted_set_card("Scripted Reader 0", atr.data(), atr.size());
    connect();
    ASSERT_EQ(card.atr_text().size(), 66u);
    EXPECT_EQ(card.atr_text().substr(0, 6), u"A0A1A2");
    EXPECT_EQ(card.atr_text().substr(60), u"BEBFC0");
}

TEST_F(ScriptedCard, ConnectFailureKeepsTheResultAndFormsItsText) {
    scripted_set_connect_result(static_cast<long>(SCARD_E_SHARING_VIOLATION));
    EXPECT_EQ(card.connect(&context, u"Scripted Reader 0"), 0);
    EXPECT_EQ(static_cast<uint32_t>(card.pcsc_result()), 0x8010000Bu);
    EXPECT_EQ(card.card_handle(), 0);
    EXPECT_TRUE(last_pcsc_error_text().starts_with(
        u"The smart card cannot be accessed because of other outstanding connections."));
}

class DroppedContext : public ScriptedCard, public ::testing::WithParamInterface<int> {};

// Refused by SCardIsValidContext, or (as pcsc-lite after a restart of the
// resource manager) accepted there but refused by the connect.
TEST_P(DroppedContext, IsReplacedByTheNextConnect) {
    const SCARDCONTEXT old = context;
    scripted_invalidate_contexts(GetParam());
    connect();
    EXPECT_NE(context, old);
    EXPECT_EQ(scripted_last("released_context"), static_cast<unsigned long>(old));
    EXPECT_EQ(scripted_last("connect_context"), static_cast<unsigned long>(context));
    EXPECT_EQ(scripted_last("scope"), SCARD_SCOPE_USER);
    EXPECT_EQ(scripted_calls("SCardEstablishContext"), 2);
    EXPECT_EQ(card.pcsc_result(), 0);
}

INSTANTIATE_TEST_SUITE_P(RefusedOrStale, DroppedContext, ::testing::Values(0, 1));

TEST_F(ScriptedCard, ValidContextIsKept) {
    const SCARDCONTEXT old = context;
    connect();
    EXPECT_EQ(context, old);
    EXPECT_EQ(scripted_calls("SCardEstablishContext"), 1);
}

TEST_F(ScriptedCard, ContextThatCannotBeReplacedFailsTheConnect) {
    scripted_invalidate_contexts(0);
    scripted_set_establish_result(static_cast<long>(SCARD_E_NO_SERVICE));
    EXPECT_EQ(card.connect(&context, u"Scripted Reader 0"), 0);
    EXPECT_EQ(static_cast<uint32_t>(card.pcsc_result()), 0x8010001Du);
    EXPECT_EQ(scripted_calls("SCardConnect"), 0);
}

TEST_F(ScriptedCard, DisconnectLeavesTheCardAndClearsTheStatus) {
    connect();
    EXPECT_EQ(card.disconnect(), 1);
    EXPECT_EQ(scripted_last("disposition"), SCARD_LEAVE_CARD);
    EXPECT_EQ(card.card_handle(), 0);
    EXPECT_TRUE(card.reader_name().empty());
    EXPECT_TRUE(card.atr_text().empty());
    EXPECT_TRUE(card.atr().empty());
}

TEST_F(ScriptedCard, DisconnectWithoutConnectionReportsUnexpected) {
    EXPECT_EQ(card.disconnect(), 0);
    EXPECT_EQ(static_cast<uint32_t>(card.pcsc_result()), 0x8010001Fu);
    EXPECT_EQ(scripted_calls("SCardDisconnect"), 0);
}

TEST_F(ScriptedCard, ReconnectClosesTheFirstHandle) {
    connect();
    connect();
    EXPECT_EQ(scripted_calls("SCardDisconnect"), 1);
}

// ---- Command bytes -------------------------------------------------------

struct CommandCase {
    const char* name;
    std::function<int(SIMCard&)> run;
    Bytes apdu;
    friend void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }
};

class CommandBytes : public ScriptedCard, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandBytes, MatchTheGsmCommand) {
    connect();
    GetParam().run(card);
    EXPECT_EQ(lastCommand(), GetParam().apdu);
    // Every command goes out with T=0's send header.
    EXPECT_EQ(scripted_last("send_protocol"), SCARD_PROTOCOL_T0);
    EXPECT_EQ(scripted_last("send_pci_length"), sizeof(SCARD_IO_REQUEST));
}

const uint8_t kRecord[4] = {0xDE, 0xAD, 0xBE, 0xEF};
uint8_t g_buffer[256];

INSTANTIATE_TEST_SUITE_P(
    AllCommands, CommandBytes,
    ::testing::Values(
        CommandCase{"Select",
                    [](SIMCard& c) { return c.select(files::kAdn); },
                    {0xA0, 0xA4, 0x00, 0x00, 0x02, 0x6F, 0x3A}},
        CommandCase{"GetResponseForStatus",
                    [](SIMCard& c) {
                        SimFileInfo info;
                        info.length = 0x10F; // only the low byte goes out
                        return c.status(&info, 0);
                    },
                    {0xA0, 0xC0, 0x00, 0x00, 0x0F}},
        CommandCase{"Status",
                    [](SIMCard& c) { return c.status(nullptr, 1); },
                    {0xA0, 0xF2, 0x00, 0x00, 0x00}},
        CommandCase{"GetResponse",
                    [](SIMCard& c) { return c.get_response(0x22, nullptr); },
                    {0xA0, 0xC0, 0x00, 0x00, 0x22}},
        CommandCase{
            "ReadRecord",
            [](SIMCard& c) { return c.read_record(5, 28, SIMCard::kModeAbsolute, g_buffer); },
            {0xA0, 0xB2, 0x05, 0x04, 0x1C}},
        CommandCase{
            "UpdateRecordPrevious",
            [](SIMCard& c) { return c.update_record(0, 4, SIMCard::kModePrevious, kRecord); },
            {0xA0, 0xDC, 0x00, 0x03, 0x04, 0xDE, 0xAD, 0xBE, 0xEF}},
        CommandCase{"ReadBinary",
                    [](SIMCard& c) { return c.read_binary(0x0102, g_buffer, 10); },
                    {0xA0, 0xB0, 0x01, 0x02, 0x0A}},
        CommandCase{"VerifyChv2",
                    [](SIMCard& c) { return c.verify_chv("5678", 2); },
                    {0xA0, 0x20, 0x00, 0x02, 0x08, '5', '6', '7', '8', 0xFF, 0xFF, 0xFF, 0xFF}},
        CommandCase{"ChangeChv1",
                    [](SIMCard& c) { return c.change_chv("1234", "00001111", 1); },
                    {0xA0, 0x24, 0x00, 0x01, 0x10, '1', '2', '3', '4', 0xFF, 0xFF,
                     0xFF, 0xFF, '0',  '0',  '0',  '0', '1', '1', '1', '1'}},
        CommandCase{"UnblockChv2",
                    [](SIMCard& c) { return c.unblock_chv("87654321", "4321", 0x02); },
                    {0xA0, 0x2C, 0x00, 0x02, 0x10, '8', '7',  '6',  '5',  '4', '3',
                     '2',  '1',  '4',  '3',  '2',  '1', 0xFF, 0xFF, 0xFF, 0xFF}},
        CommandCase{"EnableChv1",
                    [](SIMCard& c) { return c.enable_chv1("1234"); },
                    {0xA0, 0x28, 0x00, 0x01, 0x08, '1', '2', '3', '4', 0xFF, 0xFF, 0xFF, 0xFF}},
        CommandCase{"DisableChv1",
                    [](SIMCard& c) { return c.disable_chv1("1234"); },
                    {0xA0, 0x26, 0x00, 0x01, 0x08, '1', '2', '3', '4', 0xFF, 0xFF, 0xFF, 0xFF}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Untrusted answers ---------------------------------------------------

// An answer too short to hold a status word fails every command with
// sim_error 0; nothing is read from outside it.
TEST_P(CommandBytes, AnswerWithoutStatusWordFails) {
    connect();
    for (const Bytes& answerBytes : {Bytes{}, Bytes{0x90}}) {
        card.check_sw(0x98, 0x04); // a stale code must not survive
        answer(answerBytes);
        EXPECT_EQ(GetParam().run(card), 0);
        EXPECT_EQ(card.sim_error(), 0);
        EXPECT_EQ(card.pcsc_result(), 0);
        EXPECT_FALSE(card.status_word().has_value());
    }
}

TEST_P(CommandBytes, LengthBeyondTheBufferFails) {
    connect();
    scripted_set_reported_length(4096);
    answer({0x90, 0x00});
    EXPECT_EQ(GetParam().run(card), 0);
    EXPECT_TRUE(card.response().empty());
}

TEST_F(ScriptedCard, SelectWithoutStatusWordLeavesTheLengthAlone) {
    connect();
    answer({0x9F});
    uint16_t length = 0x1234;
    EXPECT_EQ(card.select(files::kAdn, &length), 0);
    EXPECT_EQ(length, 0x1234);
}

TEST_F(ScriptedCard, TruncatedDescriptionFailsWithWhatArrived) {
    connect();
    answer({0x00, 0x00, 0x01, 0xF4, 0x6F, 0x3A, 0x04, 0x00, 0x11, 0x90, 0x00});
    SimFileInfo info;
    info.length = 15;
    EXPECT_EQ(card.status(&info, 0), 0);
    EXPECT_EQ(card.sim_error(), 0);
    EXPECT_EQ(info.fileId, 0x6F3A);
    EXPECT_EQ(info.fileType, kFileTypeEf);
    EXPECT_EQ(info.recordLength, 0);
}

TEST_F(ScriptedCard, ReadRecordCopiesExactlyTheRequestedLength) {
    connect();
    Bytes longAnswer(40, 0x41);
    longAnswer.insert(longAnswer.end(), {0x90, 0x00});
    answer(longAnswer);
    Bytes buffer(30, 0x55);
    EXPECT_EQ(card.read_record(1, 28, SIMCard::kModeAbsolute, buffer), 1);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 28), Bytes(28, 0x41));
    EXPECT_EQ(buffer[28], 0x55);
    EXPECT_EQ(buffer[29], 0x55);
}

TEST_F(ScriptedCard, ReadRecordShortAnswerFailsAndReadsAsZeros) {
    connect();
    answer({0x01, 0x02, 0x03, 0x90, 0x00});
    Bytes buffer(8, 0x55);
    EXPECT_EQ(card.read_record(1, 6, SIMCard::kModeAbsolute, buffer), 0);
    EXPECT_EQ(card.sim_error(), -14);
    EXPECT_EQ(buffer, (Bytes{0x01, 0x02, 0x03, 0x00, 0x00, 0x00, 0x55, 0x55}));
}

TEST_F(ScriptedCard, ReadRecordFillsFFWhenTheTransmissionFails) {
    connect();
    scripted_set_transmit_result(static_cast<long>(SCARD_W_REMOVED_CARD));
    Bytes buffer(4, 0x55);
    EXPECT_EQ(card.read_record(1, 3, SIMCard::kModeAbsolute, buffer), 0);
    EXPECT_EQ(buffer, (Bytes{0xFF, 0xFF, 0xFF, 0x55}));
}

TEST_F(ScriptedCard, ReadRecordCopiesBeforeJudging) {
    connect();
    answer({0x07, 0x08, 0x98, 0x04});
    Bytes buffer(2);
    EXPECT_EQ(card.read_record(1, 2, SIMCard::kModeAbsolute, buffer), 0);
    EXPECT_EQ(card.sim_error(), -9);
    EXPECT_EQ(buffer, (Bytes{0x07, 0x08}));
}

TEST_F(ScriptedCard, ReadBinaryCopiesWhatWasReceivedWithinTheBuffer) {
    connect();
    answer({0x01, 0x02, 0x03, 0x90, 0x00});
    Bytes buffer(6, 0x55);
    EXPECT_EQ(card.read_binary(0, buffer, 6), 1);
    EXPECT_EQ(buffer, (Bytes{0x01, 0x02, 0x03, 0x55, 0x55, 0x55}));

    Bytes flood(200, 0x42);
    flood.insert(flood.end(), {0x90, 0x00});
    answer(flood);
    Bytes small(10, 0x55);
    EXPECT_EQ(card.read_binary(0, small, 10), 1);
    EXPECT_EQ(small, Bytes(10, 0x42));
}

TEST_F(ScriptedCard, FullSizeReadFitsTheResponseBuffer) {
    connect();
    Bytes full(256, 0x33);
    full.insert(full.end(), {0x90, 0x00});
    answer(full);
    Bytes buffer(256);
    EXPECT_EQ(card.read_binary(0, buffer, 0), 1);
    EXPECT_EQ(buffer, Bytes(256, 0x33));
}

TEST_F(ScriptedCard, UpdateRecordRefusesDataShorterThanTheLength) {
    connect();
    const uint8_t data[2] = {1, 2};
    EXPECT_EQ(card.update_record(1, 3, SIMCard::kModeAbsolute, data), 0);
    EXPECT_EQ(scripted_calls("SCardTransmit"), 0);
}

TEST_F(ScriptedCard, TransmissionFailureIsNotRetried) {
    connect();
    scripted_set_transmit_result(static_cast<long>(SCARD_E_NOT_TRANSACTED));
    EXPECT_EQ(card.select(files::kMasterFile), 0);
    EXPECT_EQ(static_cast<uint32_t>(card.pcsc_result()), 0x80100016u);
    EXPECT_EQ(card.sim_error(), 0);
    EXPECT_EQ(scripted_calls("SCardTransmit"), 1);
}

TEST_F(ScriptedCard, CommandsWithoutBindingFail) {
    connect();
    unload_winscard();
    EXPECT_EQ(card.select(files::kMasterFile), 0);
    EXPECT_EQ(card.sim_error(), 0);
    EXPECT_EQ(card.connect(&context, u"Scripted Reader 0"), 0);
}

TEST_F(ScriptedCard, GetResponseFillsTheRequestedFields) {
    connect();
    answer({0x00, 0x00, 0x00, 0x64, 0x6F, 0x2A, 0x04, 0x00, 0x11, 0x00, 0x44, 0x01, 0x02, 0x01,
            0x28, 0x90, 0x00});
    SimFileInfo info;
    ASSERT_EQ(card.get_response(15, &info), 1);
    EXPECT_EQ(info.fileSize, 100);
    EXPECT_EQ(info.recordLength, 40);
    EXPECT_EQ(info.structure, kLinearFixed);
    EXPECT_EQ(info.readCondition, 0); // not one of its fields
}

} // namespace
} // namespace brontel
