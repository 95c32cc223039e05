// The demo card's round trip through the real PC/SC stack: backed up from one
// card served by virtualsim-vpcd, restored onto a blank card served after it.

#include "Brontel.h"
#include "PcscdCardFixture.h"
#include "UserRecordFiles.h"

#include "CodePage.h"

#include <unistd.h>

namespace brontel::test {
namespace {

class RoundTripThroughPcscd : public PcscdCard {
protected:
    void SetUp() override {
        PcscdCard::SetUp();
        folder = std::filesystem::temp_directory_path() /
                 ("pelmora-backup-pcscd-" + std::to_string(getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        PcscdCard::TearDown();
        std::filesystem::remove_all(folder);
    }

    void connectWithPins() {
        ASSERT_EQ(m_card.connect(&m_context, kReaderName), 1)
            << std::hex << static_cast<uint32_t>(m_card.pcsc_result());
        ASSERT_EQ(m_card.verify_chv("1234", 1), 1);
        ASSERT_EQ(m_card.verify_chv("5678", 2), 1);
    }

    std::filesystem::path folder;
};

TEST_F(RoundTripThroughPcscd, DemoCardOntoBlankCardGivesIdenticalUserRecordFiles) {
    const std::u16string backup = pelmora::platform::fromUtf8((folder / "demo.bsf").string());
    serve(PELMORA_DEMO_CARD);
    connectWithPins();
    ASSERT_EQ(backup_sim(&m_card, 0xFFFF, backup.c_str(), nullptr, 0), 1) << get_last_error(&m_card);
    stopServing();

    const auto blank = folder / "blank.simcard";
    std::filesystem::copy_file(PELMORA_BLANK_CARD, blank);
    serve(blank.c_str(), true);
    connectWithPins();
    ASSERT_EQ(restore_sim(&m_card, backup.c_str(), nullptr, 0), 1) << get_last_error(&m_card);
    stopServing();

    const auto expected = userRecordFiles(PELMORA_DEMO_CARD);
    const auto restored = userRecordFiles(blank);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(restored, expected);
}

} // namespace
} // namespace brontel::test
