// Commands and profiles are untrusted bytes: random ones must get an answer
// or a refusal, never a crash (the suite also runs under ASan and UBSan).
#include "CardFixture.h"

#include "card/CardProfile.h"

#include <fstream>
#include <iterator>
#include <random>

using namespace cardtest;
using namespace virtualsim;

namespace {

const uint8_t kInstructions[] = {0xA4, 0xF2, 0xC0, 0x04, 0x44, 0xB0, 0xD6, 0xB2, 0xDC,
                                 0xA2, 0x32, 0x20, 0x24, 0x26, 0x28, 0x2C, 0xFA, 0x10};

class UntrustedCommands : public CardTest {};

TEST_F(UntrustedCommands, AlwaysEndInAStatusWord) {
    std::mt19937 random(20240607);
    const uint16_t ids[] = {0x3F00, 0x7F10, 0x7F20, 0x5F30, 0x6F3A, 0x6F44,
                            0x6F39, 0x2FE2, 0x6F07, 0x4F20, 0x6F74};
    for (int i = 0; i < 20000; ++i) {
        Bytes command = {0xA0, kInstructions[random() % std::size(kInstructions)],
                         static_cast<uint8_t>(random() % 4 == 0 ? random() : random() % 5),
                         static_cast<uint8_t>(random() % 4 == 0 ? random() : random() % 5),
                         static_cast<uint8_t>(random() % 3 == 0 ? random() : random() % 32)};
        if (command[1] == 0xA4) {
            const uint16_t id = ids[random() % std::size(ids)];
            command[4] = 2;
            command.push_back(static_cast<uint8_t>(id >> 8));
            command.push_back(static_cast<uint8_t>(id));
        } else {
            // Mostly as much data as P3 announces, sometimes not.
            size_t length = random() % 8 == 0 ? random() % 300 : command[4];
            while (length-- > 0) {
                command.push_back(static_cast<uint8_t>(random()));
            }
            if (random() % 50 == 0) {
                command.resize(random() % 6);
            }
        }
        const Bytes response = card->transmit(command);
        ASSERT_GE(response.size(), 2u);
        ASSERT_LE(response.size(), 258u);
        if (random() % 500 == 0) {
            card->reset();
        }
    }
}

// Random edits of a profile: each either loads or is refused naming a line.
void mutateAndLoad(const std::vector<uint8_t>& original, int rounds, unsigned seed) {
    std::mt19937 random(seed);
    const std::string alphabet = "[]=;/\r\n 0123456789ABCDEFxyz\xFF\xFE";
    for (int i = 0; i < rounds; ++i) {
        std::vector<uint8_t> text = original;
        for (int edits = 1 + static_cast<int>(random() % 4); edits > 0; --edits) {
            const size_t at = random() % text.size();
            switch (random() % 3) {
            case 0:
                text[at] = static_cast<uint8_t>(alphabet[random() % alphabet.size()]);
                break;
            case 1:
                text.erase(text.begin() + static_cast<std::ptrdiff_t>(at));
                break;
            default:
                text.insert(text.begin() + static_cast<std::ptrdiff_t>(at),
                            static_cast<uint8_t>(alphabet[random() % alphabet.size()]));
            }
        }
        auto loaded = CardProfile::load(text);
        if (auto* problem = std::get_if<std::string>(&loaded)) {
            EXPECT_TRUE(problem->starts_with("line ")) << *problem;
        }
    }
}

TEST(UntrustedProfiles, SmallProfileWithRandomEdits) {
    const std::string_view small = "[Card]\nATR=3B 00\nCHV1=1234\nCHV1Attempts=2\n"
                                   "[3F00]\nType=MF\n[3F00/7F10]\nType=DF\n"
                                   "[3F00/7F10/6F44]\nType=EF\nStructure=cyclic\n"
                                   "RecordLength=2\nRecords=3\nRead=CHV1\nUpdate=1\n"
                                   "1=0001\n3=0203\n[3F00/2FE2]\nType=EF\n"
                                   "Structure=transparent\nSize=2\nRead=ALW\nUpdate=NEV\n"
                                   "Data=9810\n";
    mutateAndLoad({small.begin(), small.end()}, 2000, 7);
}

TEST(UntrustedProfiles, DemoCardWithRandomEdits) {
    std::ifstream in(PELMORA_DEMO_CARD, std::ios::binary);
    const std::vector<uint8_t> demo{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    ASSERT_FALSE(demo.empty());
    mutateAndLoad(demo, 40, 11);
}

} // namespace
