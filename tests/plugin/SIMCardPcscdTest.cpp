// SIMCard through the real PC/SC stack: the real binding loads
// libpcsclite.so.1, pcscd hands the commands to the vsmartcard-vpcd driver and
// virtualsim-vpcd answers as the demo card. SIMCard selects EF ADN, reads its
// description and a record, and every byte must be what the card engine gives
// to the same commands directly. Needs the pcscd test fixture.
#include "card/SIMCard.h"
#include "pcsc/Winscard.h"

#include "VirtualCard.h"
#include "VpcdProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <variant>

namespace brontel {
namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr const char* kReader = kVpcdReader;
const char* const kDemoCard = PELMORA_SOURCE_DATA "/cards/demo.simcard";

class SIMCardThroughPcscd : public ::testing::Test {
protected:
    void SetUp() override {
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
        m_vpcd = std::make_unique<VpcdProcess>(kDemoCard);
        ASSERT_TRUE(waitForCard(true)) << kReader << " shows no card";
    }

    void TearDown() override {
        m_card.disconnect();
        m_vpcd.reset();
        if (m_context != 0) {
            EXPECT_TRUE(waitForCard(false)) << kReader << " still shows a card";
            winscard.SCardReleaseContext(m_context);
        }
        // pcsc-lite stays loaded: it keeps its lists when unloaded.
    }

    bool waitForCard(bool present) {
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

    SCARDCONTEXT m_context = 0;
    SIMCard m_card;
    std::unique_ptr<VpcdProcess> m_vpcd;
};

TEST_F(SIMCardThroughPcscd, SelectsAndReadsARecordOfTheDemoCard) {
    ASSERT_EQ(m_card.connect(&m_context, u"Virtual PCD 00 01"), 1)
        << std::hex << static_cast<uint32_t>(m_card.pcsc_result());
    EXPECT_EQ(m_card.reader_name(), u"Virtual PCD 00 01");

    auto loaded = virtualsim::VirtualCard::fromProfile(kDemoCard);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<virtualsim::VirtualCard>>(loaded));
    auto& engine = *std::get<std::unique_ptr<virtualsim::VirtualCard>>(loaded);
    EXPECT_EQ(Bytes(m_card.atr().begin(), m_card.atr().end()), engine.atr());

    SimFileInfo info;
    ASSERT_EQ(m_card.select(files::kMasterFile), 1);
    ASSERT_EQ(m_card.select(files::kTelecom), 1);
    ASSERT_EQ(m_card.select(files::kAdn, &info.length), 1);
    ASSERT_EQ(m_card.status(&info, 0), 1);
    EXPECT_EQ(info.fileId, 0x6F3A);
    EXPECT_EQ(info.structure, kLinearFixed);
    ASSERT_GT(info.recordLength, 0);

    ASSERT_EQ(m_card.verify_chv("1234", 1), 1);
    Bytes record(info.recordLength);
    ASSERT_EQ(m_card.read_record(1, info.recordLength, SIMCard::kModeAbsolute, record), 1);

    for (const Bytes& command :
         {Bytes{0xA0, 0xA4, 0x00, 0x00, 0x02, 0x7F, 0x10},
          Bytes{0xA0, 0xA4, 0x00, 0x00, 0x02, 0x6F, 0x3A},
          Bytes{0xA0, 0x20, 0x00, 0x01, 0x08, '1', '2', '3', '4', 0xFF, 0xFF, 0xFF, 0xFF}}) {
        (void)engine.transmit(command);
    }
    // The same commands straight to the card engine.
    Bytes expected =
        engine.transmit(Bytes{0xA0, 0xB2, 0x01, 0x04, static_cast<uint8_t>(info.recordLength)});
    ASSERT_EQ(expected.size(), info.recordLength + 2u);
    expected.resize(info.recordLength);
    EXPECT_EQ(record, expected);
}

} // namespace
} // namespace brontel
