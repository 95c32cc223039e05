// The demo card through the real PC/SC stack: libpcsclite.so.1 -> pcscd ->
// vsmartcard-vpcd -> virtualsim-vpcd, with T=0 in exclusive mode as the
// plug-in connects. Every answer must be the one the card engine gives to the
// same command directly. Needs the pcscd fixture (scripts/pcscd-test-service.sh).

#include "PcscLibrary.h"
#include "VirtualCard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr const char* kReader = "Virtual PCD 00 00";
const std::string kDemoCard = PELMORA_SOURCE_DATA "/cards/demo.simcard";

// virtualsim-vpcd as a child process, ended by its PID.
class VpcdProcess {
public:
    explicit VpcdProcess(const std::string& profile) {
        std::string program = VIRTUALSIM_VPCD;
        std::vector<std::string> args = {program, "--port", "35963", profile};
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    }
    ~VpcdProcess() { stop(); }
    void stop() {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
};

} // namespace

class PcscdEndToEnd : public ::testing::Test {
protected:
    // Loaded for good: pcsc-lite keeps its lists when unloaded, and the leak
    // checker would blame them on this test.
    static void SetUpTestSuite() {
        std::string error;
        s_pcsc = PcscLibrary::load("libpcsclite.so.1", &error).release();
        ASSERT_NE(s_pcsc, nullptr) << error;
    }

    void SetUp() override {
        ASSERT_NE(s_pcsc, nullptr);
        // pcscd may still be opening its socket.
        LONG rv = SCARD_E_NO_SERVICE;
        for (auto until = Clock::now() + std::chrono::seconds(10);
             rv == SCARD_E_NO_SERVICE && Clock::now() < until;) {
            rv = s_pcsc->EstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &m_context);
            if (rv == SCARD_E_NO_SERVICE)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ASSERT_EQ(rv, SCARD_S_SUCCESS) << s_pcsc->StringifyError(rv);
        ASSERT_TRUE(waitForCard(false)) << kReader << " holds a card of someone else";
        m_vpcd = std::make_unique<VpcdProcess>(kDemoCard);
        ASSERT_TRUE(waitForCard(true)) << kReader << " shows no card";
    }

    void TearDown() override {
        // The next test must not meet this card before pcscd has seen it go.
        m_vpcd.reset();
        if (m_context) {
            EXPECT_TRUE(waitForCard(false)) << kReader << " still shows a card";
            s_pcsc->ReleaseContext(m_context);
        }
    }

    bool waitForCard(bool present) {
        SCARD_READERSTATE state{};
        state.szReader = kReader;
        state.dwCurrentState = SCARD_STATE_UNAWARE;
        for (auto until = Clock::now() + std::chrono::seconds(15); Clock::now() < until;) {
            LONG rv = s_pcsc->GetStatusChange(m_context, 500, &state, 1);
            if (rv != SCARD_S_SUCCESS && rv != SCARD_E_TIMEOUT) {
                ADD_FAILURE() << "SCardGetStatusChange: " << s_pcsc->StringifyError(rv);
                return false;
            }
            if (bool(state.dwEventState & SCARD_STATE_PRESENT) == present)
                return true;
            state.dwCurrentState = state.dwEventState & ~static_cast<DWORD>(SCARD_STATE_CHANGED);
        }
        return false;
    }

    SCARDHANDLE connectExclusiveT0() {
        SCARDHANDLE card = 0;
        DWORD active = 0;
        EXPECT_EQ(s_pcsc->Connect(m_context, kReader, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0,
                                  &card, &active),
                  SCARD_S_SUCCESS);
        EXPECT_EQ(active, SCARD_PROTOCOL_T0);
        return card;
    }

    LONG transmit(SCARDHANDLE card, const Bytes& command, Bytes* response) {
        BYTE buffer[258];
        DWORD length = sizeof buffer;
        LONG rv = s_pcsc->Transmit(card, s_pcsc->T0Pci, command.data(), command.size(), nullptr,
                                   buffer, &length);
        response->assign(buffer, buffer + (rv == SCARD_S_SUCCESS ? length : 0));
        return rv;
    }

    static PcscLibrary* s_pcsc;
    SCARDCONTEXT m_context = 0;
    std::unique_ptr<VpcdProcess> m_vpcd;
};

PcscLibrary* PcscdEndToEnd::s_pcsc = nullptr;

TEST_F(PcscdEndToEnd, ReadsTheDemoCardAsTheEngineAnswers) {
    auto loaded = virtualsim::VirtualCard::fromProfile(kDemoCard);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<virtualsim::VirtualCard>>(loaded));
    auto& engine = *std::get<std::unique_ptr<virtualsim::VirtualCard>>(loaded);

    SCARDHANDLE card = connectExclusiveT0();
    SCARDCONTEXT other = 0;
    ASSERT_EQ(s_pcsc->EstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &other),
              SCARD_S_SUCCESS);
    SCARDHANDLE second = 0;
    DWORD active = 0;
    EXPECT_EQ(
        s_pcsc->Connect(other, kReader, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0, &second, &active),
        SCARD_E_SHARING_VIOLATION);
    s_pcsc->ReleaseContext(other);

    char name[MAX_READERNAME] = {};
    DWORD nameLength = sizeof name, state = 0, protocol = 0;
    BYTE atr[MAX_ATR_SIZE];
    DWORD atrLength = sizeof atr;
    ASSERT_EQ(s_pcsc->Status(card, name, &nameLength, &state, &protocol, atr, &atrLength),
              SCARD_S_SUCCESS);
    EXPECT_STREQ(name, kReader);
    EXPECT_EQ(protocol, SCARD_PROTOCOL_T0);
    EXPECT_EQ(Bytes(atr, atr + atrLength), engine.atr());

    // Select EF ADN, fetch its description, present PIN1 and read records.
    auto both = [&](const Bytes& command) {
        Bytes response;
        EXPECT_EQ(transmit(card, command, &response), SCARD_S_SUCCESS);
        EXPECT_EQ(response, engine.transmit(command)) << "command " << command.size() << " bytes";
        return response;
    };
    both({0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00});
    both({0xA0, 0xA4, 0x00, 0x00, 0x02, 0x7F, 0x10});
    Bytes selected = both({0xA0, 0xA4, 0x00, 0x00, 0x02, 0x6F, 0x3A});
    ASSERT_EQ(selected.size(), 2u);
    ASSERT_EQ(selected[0], 0x9F);
    Bytes description = both({0xA0, 0xC0, 0x00, 0x00, selected[1]});
    ASSERT_GE(description.size(), 15u);
    const uint8_t recordLength = description[14];
    both({0xA0, 0x20, 0x00, 0x01, 0x08, '1', '2', '3', '4', 0xFF, 0xFF, 0xFF, 0xFF});
    for (uint8_t record = 1; record <= 5; ++record) {
        Bytes data = both({0xA0, 0xB2, record, 0x04, recordLength});
        EXPECT_EQ(data.size(), recordLength + 2u);
        EXPECT_EQ(data[recordLength], 0x90);
    }
    EXPECT_EQ(s_pcsc->Disconnect(card, SCARD_LEAVE_CARD), SCARD_S_SUCCESS);
}

TEST_F(PcscdEndToEnd, ACardThatGoesAwayFailsThenReadsAsRemoved) {
    SCARDHANDLE card = connectExclusiveT0();
    const Bytes status = {0xA0, 0xF2, 0x00, 0x00, 0x16};
    Bytes response;
    ASSERT_EQ(transmit(card, status, &response), SCARD_S_SUCCESS);
    m_vpcd->stop();

    // The transfer fails first; once pcscd has noticed, the card reads as removed.
    LONG rv = SCARD_S_SUCCESS;
    for (auto until = Clock::now() + std::chrono::seconds(10);
         rv != SCARD_W_REMOVED_CARD && Clock::now() < until;) {
        rv = transmit(card, status, &response);
        EXPECT_TRUE(rv == SCARD_E_NOT_TRANSACTED || rv == SCARD_W_REMOVED_CARD)
            << s_pcsc->StringifyError(rv);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(rv, SCARD_W_REMOVED_CARD);
    EXPECT_EQ(s_pcsc->Disconnect(card, SCARD_LEAVE_CARD), SCARD_S_SUCCESS);
}
