// The demo card and the test cards: each loads and survives a save, and each
// holds what it promises, checked against bytes worked out by hand from the
// standards.
#include "CardComparison.h"
#include "CardFixture.h"

#include "card/CardProfile.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>

using namespace cardtest;
using namespace virtualsim;

namespace {

const std::filesystem::path kDemoCard = PELMORA_DEMO_CARD;
const std::filesystem::path kTestCards = PELMORA_TEST_CARDS;

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CardProfile::Loaded loadCard(const std::filesystem::path& path) {
    auto loaded = CardProfile::load(readFile(path));
    if (auto* problem = std::get_if<std::string>(&loaded)) {
        ADD_FAILURE() << path << ": " << *problem;
        return {};
    }
    return std::move(std::get<CardProfile::Loaded>(loaded));
}

std::vector<std::filesystem::path> shippedCards() {
    std::vector<std::filesystem::path> cards{kDemoCard};
    for (const auto& entry : std::filesystem::directory_iterator(kTestCards)) {
        if (entry.path().extension() == ".simcard") {
            cards.push_back(entry.path());
        }
    }
    std::sort(cards.begin() + 1, cards.end());
    return cards;
}

class ShippedCards : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(ShippedCards, LoadAndSurviveSaveAndReload) {
    CardProfile::Loaded first = loadCard(GetParam());
    ASSERT_NE(first.card, nullptr);
    const std::vector<uint8_t> saved = first.profile.write(*first.card).serialize();
    auto again = CardProfile::load(saved);
    ASSERT_TRUE(std::holds_alternative<CardProfile::Loaded>(again));
    auto& second = std::get<CardProfile::Loaded>(again);
    expectSameCard(*first.card, *second.card);
    EXPECT_EQ(second.profile.write(*second.card).serialize(), saved);
}

INSTANTIATE_TEST_SUITE_P(All, ShippedCards, ::testing::ValuesIn(shippedCards()),
                         [](const auto& info) {
                             std::string name = info.param.stem().string();
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

// A fixture on a card file rather than the card built in code.
class CardFileTest : public CardTest {
protected:
    void use(const std::filesystem::path& path) {
        card = std::move(loadCard(path).card);
        ASSERT_NE(card, nullptr);
    }
    // READ and UPDATE nibbles, structure and record length of an EF.
    Bytes describe(std::initializer_list<uint16_t> path) {
        card->reset();
        EXPECT_EQ(selectPath(path) & 0xFF00, 0x9F00);
        EXPECT_EQ(send(getResponse(0x0F)), 0x9000);
        return data;
    }
    Bytes record(std::initializer_list<uint16_t> path, uint8_t number, uint8_t length) {
        selectPath(path);
        EXPECT_EQ(send(readRecord(number, 0x04, length)), 0x9000);
        return data;
    }
};

class DemoCard : public CardFileTest {
protected:
    void SetUp() override {
        use(kDemoCard);
        ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    }
};

struct FileCase {
    std::vector<uint16_t> path;
    uint8_t readUpdate; // READ nibble, UPDATE nibble
    uint8_t structure;
    uint8_t recordLength;
    uint16_t size;
};

// Access conditions of common operator cards.
const FileCase kDemoFiles[] = {
    {{0x2FE2}, 0x0F, 0, 0, 10},                 // ICCID  ALW / NEV
    {{0x7F20, 0x6F07}, 0x14, 0, 0, 9},          // IMSI   CHV1 / ADM
    {{0x7F20, 0x6F46}, 0x04, 0, 0, 17},         // SPN    ALW / ADM
    {{0x7F20, 0x6FAE}, 0x04, 0, 0, 1},          // Phase  ALW / ADM
    {{0x7F20, 0x6F7E}, 0x11, 0, 0, 11},         // LOCI   CHV1 / CHV1
    {{0x7F10, 0x6F3A}, 0x11, 1, 28, 250 * 28},  // ADN
    {{0x7F10, 0x6F3B}, 0x12, 1, 28, 10 * 28},   // FDN    CHV1 / CHV2
    {{0x7F10, 0x6F3C}, 0x11, 1, 176, 30 * 176}, // SMS
    {{0x7F10, 0x6F40}, 0x11, 1, 28, 2 * 28},    // MSISDN
    {{0x7F10, 0x6F44}, 0x11, 3, 28, 10 * 28},   // LND, cyclic
    {{0x7F10, 0x6F49}, 0x14, 1, 28, 10 * 28},   // SDN    CHV1 / ADM
    {{0x7F10, 0x6F4D}, 0x12, 1, 29, 10 * 29},   // BDN    CHV1 / CHV2, X+15
    {{0x7F10, 0x6F4A}, 0x11, 1, 13, 10 * 13},   // EXT1
    {{0x7F10, 0x6F4B}, 0x12, 1, 13, 10 * 13},   // EXT2
    {{0x7F10, 0x6F4C}, 0x14, 1, 13, 10 * 13},   // EXT3
    {{0x7F10, 0x6F4E}, 0x12, 1, 13, 10 * 13},   // EXT4
    {{0x7F31, 0x6F2A}, 0x11, 1, 56, 20 * 56},   // iDEN values
    {{0x7F31, 0x6F2B}, 0x11, 1, 56, 20 * 56},
    {{0x7F31, 0x6F2C}, 0x11, 1, 56, 20 * 56},
    {{0x7F31, 0x6F26}, 0x11, 1, 32, 10 * 32}, // iDEN e-mail
};

TEST_F(DemoCard, FilesHaveTheirStructureAndAccessConditions) {
    for (const FileCase& f : kDemoFiles) {
        SCOPED_TRACE(::testing::Message() << std::hex << f.path.back());
        card->reset();
        for (uint16_t id : f.path) {
            ASSERT_EQ(send(select(id)) & 0xFF00, 0x9F00);
        }
        ASSERT_EQ(send(getResponse(0x0F)), 0x9000);
        EXPECT_EQ(data[2] << 8 | data[3], f.size);
        EXPECT_EQ(data[8], f.readUpdate);
        EXPECT_EQ(data[13], f.structure);
        EXPECT_EQ(data[14], f.recordLength);
    }
}

TEST_F(DemoCard, IdentityFilesHoldNetwork23415) {
    card->reset();
    // ICCID, IMSI and SPN read without CHV1; IMSI needs it.
    ASSERT_EQ(selectPath({0x2FE2}), 0x9F0F);
    ASSERT_EQ(send(readBinary(0, 10)), 0x9000);
    EXPECT_EQ(data[0], 0x98); // 89: telecommunication
    EXPECT_EQ(data[1], 0x44); // 44: United Kingdom
    ASSERT_EQ(selectPath({0x7F20, 0x6F46}), 0x9F0F);
    ASSERT_EQ(send(readBinary(0, 17)), 0x9000);
    EXPECT_EQ(data[0], 0x01);
    EXPECT_EQ(Bytes(data.begin() + 1, data.begin() + 12),
              (Bytes{'D', 'e', 'm', 'o', ' ', 'M', 'o', 'b', 'i', 'l', 'e'}));
    ASSERT_EQ(selectPath({0x6F07}), 0x9F0F);
    EXPECT_EQ(send(readBinary(0, 9)), 0x9804);
    ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    ASSERT_EQ(send(readBinary(0, 9)), 0x9000);
    // 234 15 7300481516: length 8, then 2 with parity 9, 43 51 37 ...
    EXPECT_EQ(data, (Bytes{0x08, 0x29, 0x43, 0x51, 0x37, 0x00, 0x84, 0x51, 0x61}));
    ASSERT_EQ(selectPath({0x6F7E}), 0x9F0F);
    ASSERT_EQ(send(readBinary(4, 3)), 0x9000);
    EXPECT_EQ(data, (Bytes{0x32, 0xF4, 0x51})); // LAI: MCC 234, MNC 15
}

TEST_F(DemoCard, AdnHoldsEveryAlphaSchemeAndAnExtendedNumber) {
    std::set<uint8_t> schemes;
    int contacts = 0;
    int extended = 0;
    for (int k = 1; k <= 250; ++k) {
        const Bytes r = record({0x3F00, 0x7F10, 0x6F3A}, static_cast<uint8_t>(k), 28);
        if (std::all_of(r.begin(), r.end(), [](uint8_t b) { return b == 0xFF; })) {
            continue;
        }
        ++contacts;
        if (r[0] != 0xFF) { // a number without a name
            schemes.insert(r[0] >= 0x80 ? r[0] : 0x00);
        }
        if (r[27] != 0xFF) {
            ++extended;
            EXPECT_EQ(r[14], 11); // the first 20 digits fill the record
            const Bytes ext = record({0x6F4A}, r[27], 13);
            EXPECT_EQ(ext[0], 0x02); // additional data
            EXPECT_EQ(ext[12], 0xFF);
        }
    }
    EXPECT_GE(contacts, 40);
    EXPECT_EQ(schemes, (std::set<uint8_t>{0x00, 0x80, 0x81, 0x82}));
    EXPECT_EQ(extended, 1);
}

TEST_F(DemoCard, CyrillicNameFollowsTheHalfPageScheme) {
    // TS 51.011 Annex B scheme 0x81 for "Иван Петров": 11 characters on the
    // half-page 0400 (byte 08), each letter 0x80 + its offset, the space in
    // the default alphabet.
    const Bytes expected = {0x81, 0x0B, 0x08, 0x98, 0xB2, 0xB0, 0xBD,
                            0x20, 0x9F, 0xB5, 0xC2, 0xC0, 0xBE, 0xB2};
    const Bytes r = record({0x7F10, 0x6F3A}, 17, 28);
    EXPECT_EQ(Bytes(r.begin(), r.begin() + 14), expected);
    // +7 495 123 45 67: international, 11 digits in 6 bytes.
    EXPECT_EQ(Bytes(r.begin() + 14, r.begin() + 22),
              (Bytes{0x07, 0x91, 0x47, 0x59, 0x21, 0x43, 0x65, 0xF7}));
}

TEST_F(DemoCard, MessagesCoverEveryStatusAndCoding) {
    std::set<uint8_t> statuses;
    std::set<uint8_t> codings;
    int free = 0;
    int withHeader = 0;
    for (int k = 1; k <= 30; ++k) {
        const Bytes r = record({0x3F00, 0x7F10, 0x6F3C}, static_cast<uint8_t>(k), 176);
        if (r[0] == 0 && std::all_of(r.begin() + 1, r.end(), [](uint8_t b) { return b == 0xFF; })) {
            ++free;
            continue;
        }
        statuses.insert(r[0]);
        const size_t tpdu = 2 + r[1]; // behind the SMSC address
        const uint8_t first = r[tpdu];
        withHeader += (first & 0x40) ? 1 : 0;
        const bool submit = (first & 0x03) == 0x01;
        const size_t addressAt = tpdu + (submit ? 2 : 1);
        const size_t digits = r[addressAt];
        const size_t pid = addressAt + 2 + (digits + 1) / 2;
        codings.insert(r[pid + 1]);
    }
    EXPECT_EQ(statuses, (std::set<uint8_t>{0x00, 0x01, 0x03, 0x05, 0x07}));
    EXPECT_EQ(codings, (std::set<uint8_t>{0x00, 0x04, 0x08}));
    EXPECT_GE(free, 5);
    EXPECT_GE(withHeader, 1);
}

TEST_F(DemoCard, FirstMessageIsAReadSmsDeliverFromTheServiceCentre) {
    const Bytes r = record({0x7F10, 0x6F3C}, 1, 176);
    // Status 01, SMSC +44 7785 016005, SMS-DELIVER (04), originator
    // +44 7700 900101, PID 00, DCS 00, 2025-03-14 12:05:33 +00.
    const Bytes expected = {0x01, 0x07, 0x91, 0x44, 0x77, 0x58, 0x10, 0x06, 0x50,
                            0x04, 0x0C, 0x91, 0x44, 0x77, 0x00, 0x09, 0x10, 0x10,
                            0x00, 0x00, 0x52, 0x30, 0x41, 0x21, 0x50, 0x33, 0x00};
    EXPECT_EQ(Bytes(r.begin(), r.begin() + 27), expected);
    EXPECT_EQ(r[27], 39); // "Hi! Are we still on for lunch tomorrow?" in septets
}

TEST_F(DemoCard, CodesAreThoseOfTheCardLetter) {
    card->reset();
    EXPECT_EQ(send(verify(2, "5678")), 0x9000);
    EXPECT_EQ(send(unblock(1, "12345678", "1234")), 0x9000);
    EXPECT_EQ(send(unblock(2, "87654321", "5678")), 0x9000);
    ASSERT_EQ(send(status(0x16)), 0x9000);
    EXPECT_EQ(data[13] & 0x80, 0); // CHV1 enabled
}

TEST_F(DemoCard, IdenBookHasSeveralValuesPerContactAndEmailContinuations) {
    std::map<int, int> valuesPerContact;
    for (uint16_t file : {0x6F2A, 0x6F2B, 0x6F2C}) {
        for (int k = 1; k <= 20; ++k) {
            const Bytes r = record({0x3F00, 0x7F31, file}, static_cast<uint8_t>(k), 56);
            const int contact = r[56 - 9] << 8 | r[56 - 8];
            if (contact != 0) {
                ++valuesPerContact[contact];
                EXPECT_EQ(r[56 - 15], 0x80);
                EXPECT_LE(r[56 - 25], 10);
            }
        }
    }
    EXPECT_GE(valuesPerContact.size(), 3u);
    for (const auto& [contact, values] : valuesPerContact) {
        EXPECT_GE(values, 2) << contact;
    }
    // The first e-mail continuation record chains to a second one.
    const Bytes first = record({0x3F00, 0x7F31, 0x6F26}, 1, 32);
    EXPECT_EQ(first[31], 2);
    EXPECT_EQ(record({0x6F26}, 2, 32)[31], 0);
}

class TestCards : public CardFileTest {};

TEST_F(TestCards, BlankCardHasTheDemoLayoutWithEveryRecordFF) {
    use(kTestCards / "blank.simcard");
    auto demo = loadCard(kDemoCard);
    std::function<void(const CardFile&, const CardFile&)> compare = [&](const CardFile& blank,
                                                                        const CardFile& full) {
        EXPECT_EQ(blank.path(), full.path());
        EXPECT_EQ(blank.size(), full.size());
        if (blank.isRecordFile()) {
            EXPECT_TRUE(std::all_of(blank.body().begin(), blank.body().end(), [](uint8_t b) {
                return b == 0xFF;
            })) << blank.path();
        }
        ASSERT_EQ(blank.children().size(), full.children().size());
        for (size_t i = 0; i < blank.children().size(); ++i) {
            compare(*blank.children()[i], *full.children()[i]);
        }
    };
    compare(card->mf(), demo.card->mf());
}

TEST_F(TestCards, MissingFilesAreNotFound) {
    use(kTestCards / "no-iden.simcard");
    EXPECT_EQ(send(select(0x7F31)), 0x9404);
    use(kTestCards / "no-spn.simcard");
    EXPECT_EQ(selectPath({0x7F20, 0x6F46}), 0x9404);
    use(kTestCards / "empty.simcard");
    ASSERT_EQ(send(status(0x16)), 0x9000);
    EXPECT_EQ(data[14], 0);
    EXPECT_EQ(data[15], 0);
    EXPECT_EQ(send(select(0x7F10)), 0x9404);
}

TEST_F(TestCards, SecurityStates) {
    use(kTestCards / "chv1-disabled.simcard");
    ASSERT_EQ(send(status(0x16)), 0x9000);
    EXPECT_EQ(data[13], 0x91);
    EXPECT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    EXPECT_EQ(send(readRecord(1, 0x04, 28)), 0x9000);

    use(kTestCards / "chv1-blocked.simcard");
    ASSERT_EQ(send(status(0x16)), 0x9000);
    EXPECT_EQ(data[18], 0x80);
    EXPECT_EQ(send(verify(1, "1234")), 0x9840);
    EXPECT_EQ(send(unblock(1, "12345678", "1234")), 0x9000);

    use(kTestCards / "chv1-and-unblock-blocked.simcard");
    EXPECT_EQ(send(unblock(1, "12345678", "1234")), 0x9840);

    use(kTestCards / "chv2-blocked.simcard");
    EXPECT_EQ(send(verify(2, "5678")), 0x9840);

    use(kTestCards / "no-chv2.simcard");
    EXPECT_EQ(send(verify(2, "5678")), 0x9802);
}

TEST_F(TestCards, AdnRecordLengths) {
    for (const auto& [file, length] : std::vector<std::pair<const char*, int>>{
             {"adn-14.simcard", 14}, {"adn-30.simcard", 30}, {"adn-32.simcard", 32}}) {
        use(kTestCards / file);
        ASSERT_EQ(send(verify(1, "1234")), 0x9000);
        const Bytes description = describe({0x7F10, 0x6F3A});
        EXPECT_EQ(description[14], length) << file;
        ASSERT_EQ(send(verify(1, "1234")), 0x9000);
        const Bytes first = record({0x7F10, 0x6F3A}, 1, static_cast<uint8_t>(length));
        // The number part is the last 14 bytes whatever the alpha length.
        EXPECT_EQ(first[length - 13], 0x91) << file;
    }
}

TEST_F(TestCards, FdnModeAndWornMemory) {
    use(kTestCards / "fdn-mode.simcard");
    ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    EXPECT_EQ(send(readRecord(1, 0x04, 28)), 0x9810);

    use(kTestCards / "worn-memory.simcard");
    ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    EXPECT_EQ(send(updateRecord(1, 0x04, filled(28, 0xFF))), 0x9202);
    ASSERT_EQ(send(select(0x6F3C)), 0x9F0F);
    EXPECT_EQ(send(updateRecord(1, 0x04, filled(176, 0xFF))), 0x9240);
}

} // namespace
