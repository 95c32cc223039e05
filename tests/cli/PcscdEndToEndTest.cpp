// The real stack: velmet-cli -> libBrontel.so -> libpcsclite.so.1 -> pcscd ->
// vsmartcard-vpcd -> virtualsim-vpcd serving a copy of the demo card on the
// driver's second reader. Needs the pcscd test fixture.

#include "CliRunner.h"
#include "VpcdProcess.h"

#include <chrono>
#include <thread>

namespace pelmora::test {
namespace {

using ::testing::HasSubstr;

class PcscdCli : public CliTest {
protected:
    void SetUp() override {
        m_cli.setEnv("PELMORA_PCSC_LIBRARY", std::nullopt);
        m_cli.setEnv("VIRTUALSIM_CARDS", std::nullopt);
        ASSERT_TRUE(waitForCard(false)) << brontel::kVpcdReader << " holds a card of someone else";
    }
    void TearDown() override {
        m_vpcd.reset();
        EXPECT_TRUE(waitForCard(false));
    }

    bool waitForCard(bool present) {
        const std::string line =
            std::string(brontel::kVpcdReader) + (present ? "  card" : "  no card");
        for (auto until = std::chrono::steady_clock::now() + std::chrono::seconds(15);
             std::chrono::steady_clock::now() < until;) {
            const CliResult readers = run({"readers"});
            if (readers.out.find(line + "\n") != std::string::npos) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return false;
    }

    std::unique_ptr<brontel::VpcdProcess> m_vpcd;
};

TEST_F(PcscdCli, DemoCardReadIntoAPhnFileAndWrittenBack) {
    const std::filesystem::path card = m_folder / "demo.simcard";
    std::filesystem::copy_file(demoCard(), card);
    m_vpcd = std::make_unique<brontel::VpcdProcess>(card.c_str(), true);
    ASSERT_TRUE(waitForCard(true));
    const std::string reader = brontel::kVpcdReader;

    const CliResult read =
        run({"read", "--reader", reader, "--pin-stdin", "-o", path("demo.phn")}, "1234\n");
    ASSERT_EQ(read.status, 0) << describe(read);
    const CliResult shown = run({"show", path("demo.phn"), "--book", "adn"});
    EXPECT_THAT(shown.out, HasSubstr("Alice Morgan    +447700900101"));

    // Every book the card lets the user write (the service numbers are the operator's).
    const CliResult written = run({"write", "--reader", reader, "--pin-stdin", "--books",
                                   "iden,adn,msisdn,lnd,fdn,bdn,sms", path("demo.phn")},
                                  "1234\n5678\n");
    ASSERT_EQ(written.status, 0) << describe(written);
    EXPECT_THAT(written.out, HasSubstr("Short messages (sms): written"));

    const CliResult again =
        run({"read", "--reader", reader, "--pin-stdin", "-o", path("again.phn")}, "1234\n");
    ASSERT_EQ(again.status, 0) << describe(again);
    EXPECT_EQ(readBytes(m_folder / "again.phn"), readBytes(m_folder / "demo.phn"));
}

// A UICC that answers class 00 only, over T=0 through pcscd: the FCP comes
// with 61xx and GET RESPONSE, PIN1 by its key reference, the IMSI from the USIM.
TEST_F(PcscdCli, UiccRefusingClassA0ReadAndDescribed) {
    const std::filesystem::path card = m_folder / "uicc.simcard";
    std::filesystem::copy_file(testCard("uicc-refuses-a0"), card);
    m_vpcd = std::make_unique<brontel::VpcdProcess>(card.c_str(), true);
    ASSERT_TRUE(waitForCard(true));
    const std::string reader = brontel::kVpcdReader;

    const CliResult info = run({"info", "--reader", reader, "--pin-stdin"}, "1234\n");
    ASSERT_EQ(info.status, 0) << describe(info);
    EXPECT_THAT(info.out, HasSubstr("IMSI:                234157300481516"));
    EXPECT_THAT(info.out, HasSubstr("Phase:               UICC (USIM)"));
    const CliResult read =
        run({"read", "--reader", reader, "--pin-stdin", "-o", path("uicc.phn")}, "1234\n");
    ASSERT_EQ(read.status, 0) << describe(read);
    const CliResult shown = run({"show", path("uicc.phn"), "--book", "adn"});
    EXPECT_THAT(shown.out, HasSubstr("Alice Morgan    +447700900101"));
}

} // namespace
} // namespace pelmora::test
