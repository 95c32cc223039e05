// SIMCard through the real PC/SC stack, virtualsim-vpcd answering as the demo
// card: SIMCard selects EF ADN, reads its description and a record, and every
// byte must be what the card engine gives to the same commands directly.
#include "CardFiles.h"
#include "PcscdCardFixture.h"

#include "VirtualCard.h"

#include <gtest/gtest.h>

#include <variant>

namespace brontel {
namespace {

using Bytes = std::vector<uint8_t>;

const char* const kDemoCard = PELMORA_SOURCE_DATA "/cards/demo.simcard";

class SIMCardThroughPcscd : public PcscdCard {};

TEST_F(SIMCardThroughPcscd, SelectsAndReadsARecordOfTheDemoCard) {
    serve(kDemoCard);
    ASSERT_EQ(m_card.connect(&m_context, kReaderName), 1)
        << std::hex << static_cast<uint32_t>(m_card.pcsc_result());
    EXPECT_EQ(m_card.reader_name(), kReaderName);

    auto loaded = virtualsim::VirtualCard::fromProfile(kDemoCard);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<virtualsim::VirtualCard>>(loaded));
    auto& engine = *std::get<std::unique_ptr<virtualsim::VirtualCard>>(loaded);
    EXPECT_EQ(Bytes(m_card.atr().begin(), m_card.atr().end()), engine.atr());

    SimFileInfo info;
    ASSERT_TRUE(test::describeFile(m_card, files::kTelecom, files::kAdn, info));
    EXPECT_EQ(info.fileId, 0x6F3A);
    EXPECT_EQ(info.structure, kLinearFixed);
    ASSERT_GT(info.recordLength, 0);

    ASSERT_EQ(m_card.verify_chv("1234", 1), 1);
    const Bytes record = test::readRecord(m_card, 1, info.recordLength);
    ASSERT_FALSE(record.empty());

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
