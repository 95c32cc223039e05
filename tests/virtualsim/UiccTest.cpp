// The UICC personality: the test cards answer class 00 and 80 commands the
// way TS 102 221 words them, one command after another on the same card.
#include "VirtualCard.h"
#include "card/Hex.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace virtualsim;

namespace {

const std::filesystem::path kTestCards = PELMORA_TEST_CARDS;

struct Step {
    const char* command; // hex
    // hex: the data, if any, and SW1 SW2; a trailing "*" checks only the start,
    // a leading one only the end
    const char* answer;
};

std::unique_ptr<VirtualCard> load(const char* name) {
    auto card = VirtualCard::fromProfile(kTestCards / name);
    if (auto* problem = std::get_if<std::string>(&card)) {
        ADD_FAILURE() << *problem;
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<VirtualCard>>(card));
}

void run(VirtualCard& card, std::initializer_list<Step> steps) {
    for (const Step& step : steps) {
        const auto answer = toHex(card.transmit(*parseHex(step.command)));
        const std::string expected = step.answer;
        if (expected.ends_with("*")) {
            EXPECT_TRUE(answer.starts_with(expected.substr(0, expected.size() - 1)))
                << step.command << " -> " << answer;
        } else if (expected.starts_with("*")) {
            EXPECT_TRUE(answer.ends_with(expected.substr(1))) << step.command << " -> " << answer;
        } else {
            EXPECT_EQ(answer, expected) << step.command;
        }
    }
}

TEST(Uicc, RefusingClassA0AnswersEverythingInClass00) {
    const auto card = load("uicc-refuses-a0.simcard");
    ASSERT_TRUE(card);
    run(*card, {
                   {"A0A40000023F00", "6E00"},
                   {"01A40004023F00", "6881"},             // logical channel 1
                   {"00A40004023F00", "61*"},              // FCP waiting
                   {"00A40004027F20", "6A82"},             // no DF GSM on this card
                   {"00A4000C027F10", "9000"},             // no data asked for
                   {"00A40904026F3A", "61*"},              // path from the current DF
                   {"00B201041C", "6982"},                 // PIN1 not verified
                   {"0020000100", "63C3"},                 // attempts left
                   {"002000010831323335FFFFFFFF", "63C2"}, // a wrong PIN
                   {"002000010831323334FFFFFFFF", "9000"},
                   {"0020000100", "9000"},        // verified now
                   {"00B2010400", "6C1C"},        // Le must be the record length
                   {"002C000100", "63CA"},        // unblock attempts left
                   {"00A40804047F106F3A", "61*"}, // path from the MF
                   {"00B2FF041C", "6A83"},
                   {"00A4040407A0000000871002", "61*"}, // the USIM by a truncated AID
                   {"00A40004026F07", "61*"},
                   {"00B0000009", "*9000"},
                   {"00B000000A", "6C09"},
                   {"00B00100", "6B00"},   // offset beyond the file
                   {"00B2010409", "6981"}, // records of a transparent EF
                   {"80F2000000", "6C*"},
                   {"80F2000C00", "9000"},
                   {"00A4000C027FFF", "9000"}, // the current application
                   {"80F2000112", "84"
                                  "10"
                                  "A0000000871002FF44FF128900000100"
                                  "9000"},
                   {"00200081084040FFFFFFFFFFFF", "63C2"}, // PIN2 by key reference 81
                   {"002000020831323334FFFFFFFF", "6A88"}, // no such key reference
               });
}

TEST(Uicc, FcpArrivesWholeOrInPieces) {
    const auto card = load("uicc-refuses-a0.simcard");
    ASSERT_TRUE(card);
    const auto select = card->transmit(*parseHex("00A40004022FE2"));
    ASSERT_EQ(select.size(), 2u);
    ASSERT_EQ(select[0], 0x61);
    const uint8_t length = select[1];
    const auto firstPart = card->transmit(std::vector<uint8_t>{0x00, 0xC0, 0x00, 0x00, 4});
    const std::vector<uint8_t> expected{0x62, static_cast<uint8_t>(length - 2), 0x82, 0x02,
                                        0x61, static_cast<uint8_t>(length - 4)};
    EXPECT_EQ(toHex(firstPart), toHex(expected));
    const auto rest = card->transmit(
        std::vector<uint8_t>{0x00, 0xC0, 0x00, 0x00, static_cast<uint8_t>(length - 4)});
    ASSERT_EQ(rest.size(), static_cast<size_t>(length - 4 + 2));
    EXPECT_EQ(toHex(std::span(rest).last(2)), "9000");
    EXPECT_EQ(toHex(card->transmit(*parseHex("00C0000001"))), "6985"); // nothing left
}

TEST(Uicc, DualModeCardAnswersBothClassesOverOneFileTree) {
    const auto card = load("uicc-dual-mode.simcard");
    ASSERT_TRUE(card);
    run(*card, {
                   {"A0A40000027F20", "9F*"},
                   {"00A40004027F20", "61*"},
                   {"A0A40000026F07", "9F*"},
                   {"A0F2000000", "67*"}, // GSM STATUS keeps its words
                   {"00A40804047FFF6F07", "61*"},
               });
}

} // namespace
