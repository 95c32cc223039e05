// Card profiles: what a profile says becomes the card, a malformed profile is
// refused naming its line, and a card written back reads in unchanged.
#include "CardComparison.h"
#include "CardFixture.h"

#include "VirtualCard.h"
#include "card/CardProfile.h"

#include <filesystem>
#include <fstream>

using namespace cardtest;
using namespace virtualsim;

namespace {

std::vector<uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

const char* const kSmallCard = R"(; a small card
[Card]
ATR=3B 02 14 50
CHV1=1234
CHV1Attempts=2
UnblockCHV1=12345678
CHV1Enabled=1

[3F00]
Type=MF

[3F00/2FE2]
Type=EF
Structure=transparent
Size=10
Read=ALW
Update=NEV
Data=98103254769810325476

[3F00/7F10]
Type=DF

; the phone book
[3F00/7F10/6F3A]
Type=EF
Name=ADN
Structure=linear fixed
RecordLength=16
Records=3
Read=CHV1
Update=CHV1
2=4A6F686EFF0481214365FFFFFFFFFFFF

[3F00/7F10/6F44]
Type=EF
Structure=cyclic
RecordLength=2
Records=3
Read=ALW
Update=ALW
Increase=CHV1
IncreaseAllowed=1
1=0001
3=0003
)";

std::unique_ptr<CardState> load(std::string_view text) {
    auto loaded = CardProfile::load(bytesOf(text));
    if (auto* problem = std::get_if<std::string>(&loaded)) {
        ADD_FAILURE() << *problem;
        return nullptr;
    }
    return std::move(std::get<CardProfile::Loaded>(loaded).card);
}

std::string problemOf(std::string_view text) {
    auto loaded = CardProfile::load(bytesOf(text));
    auto* problem = std::get_if<std::string>(&loaded);
    return problem ? *problem : "loaded";
}

class Profiles : public CardTest {
protected:
    void SetUp() override {
        card = load(kSmallCard);
        ASSERT_NE(card, nullptr);
    }
};

TEST_F(Profiles, DescribeTheWholeCard) {
    EXPECT_EQ(card->atr(), (Bytes{0x3B, 0x02, 0x14, 0x50}));
    ASSERT_EQ(send(status(0x16)), 0x9000);
    EXPECT_EQ(data[18], 0x82); // CHV1 with two attempts left
    EXPECT_EQ(data[19], 0x8A); // UNBLOCK CHV1 at its maximum
    EXPECT_EQ(data[20], 0x00); // no CHV2
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    ASSERT_EQ(send(getResponse(0x0F)), 0x9000);
    EXPECT_EQ(data[3], 48);
    EXPECT_EQ(data[8], 0x11);
    EXPECT_EQ(data[10], 0x44); // INVALIDATE and REHABILITATE default to ADM
    ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    ASSERT_EQ(send(readRecord(1, 0x04, 16)), 0x9000);
    EXPECT_EQ(data, filled(16, 0xFF)); // records not listed are all FF
    ASSERT_EQ(send(readRecord(2, 0x04, 16)), 0x9000);
    EXPECT_EQ(data[0], 0x4A);
    ASSERT_EQ(selectPath({0x6F44}), 0x9F0F);
    ASSERT_EQ(send(getResponse(0x0F)), 0x9000);
    EXPECT_EQ(data[7], 0x40);
    EXPECT_EQ(data[9], 0x10);
}

TEST_F(Profiles, SurviveLoadSaveLoadAfterTheCardChanged) {
    ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    ASSERT_EQ(send(updateRecord(3, 0x04, filled(16, 0x33))), 0x9000);
    ASSERT_EQ(send(updateRecord(2, 0x04, filled(16, 0xFF))), 0x9000);
    ASSERT_EQ(selectPath({0x6F44}), 0x9F0F);
    ASSERT_EQ(send(updateRecord(0, 0x03, {0x00, 0x04})), 0x9000);
    ASSERT_EQ(send(change(1, "1234", "98765")), 0x9000);
    ASSERT_EQ(send(disable("98765")), 0x9000);
    ASSERT_EQ(send(unblock(1, "00000000", "1")), 0x9804);

    auto loaded = CardProfile::load(bytesOf(kSmallCard));
    const CardProfile& profile = std::get<CardProfile::Loaded>(loaded).profile;
    const std::vector<uint8_t> saved = profile.write(*card).serialize();
    const auto reloaded =
        load(std::string_view(reinterpret_cast<const char*>(saved.data()), saved.size()));
    ASSERT_NE(reloaded, nullptr);
    expectSameCard(*card, *reloaded);

    // Written again, the text is the same: saving is a fixed point.
    auto again = CardProfile::load(saved);
    const auto& second = std::get<CardProfile::Loaded>(again);
    EXPECT_EQ(second.profile.write(*second.card).serialize(), saved);

    const std::string text(saved.begin(), saved.end());
    EXPECT_NE(text.find("; the phone book"), std::string::npos); // comments kept
    EXPECT_NE(text.find("Name=ADN"), std::string::npos);
    EXPECT_EQ(text.find("2=4A6F"), std::string::npos); // the record now all FF is left out
    EXPECT_NE(text.find("3=33333333333333333333333333333333"), std::string::npos);
    EXPECT_NE(text.find("CHV1=98765"), std::string::npos);
    EXPECT_NE(text.find("CHV1Enabled=0"), std::string::npos);
    EXPECT_NE(text.find("UnblockCHV1Attempts=9"), std::string::npos);
}

TEST(ProfileWriting, TheDemoCardWrittenUnchangedIsItsProfileByteForByte) {
    std::ifstream in(PELMORA_DEMO_CARD, std::ios::binary);
    const std::vector<uint8_t> original((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
    auto loaded = CardProfile::load(original);
    const auto& demo = std::get<CardProfile::Loaded>(loaded);
    const std::vector<uint8_t> saved = demo.profile.write(*demo.card).serialize();
    EXPECT_EQ(std::string(saved.begin(), saved.end()),
              std::string(original.begin(), original.end()));
}

TEST(ProfileWriting, ACardBuiltInCodeBecomesAProfileThatLoadsTheSame) {
    auto built = makeCard();
    // A code that is not printable text is kept as hex.
    built->security().chv(Chv::Two).setValue({0x01, 0x02, 0x03, 0x04, 0xFF, 0xFF, 0xFF, 0xFF});
    built->mf().child(0x7F20)->child(0x5F30)->child(0x4F20)->setUpdateRetries(3);
    const std::vector<uint8_t> saved = CardProfile().write(*built).serialize();
    const auto reloaded =
        load(std::string_view(reinterpret_cast<const char*>(saved.data()), saved.size()));
    ASSERT_NE(reloaded, nullptr);
    expectSameCard(*built, *reloaded);
    const std::string text(saved.begin(), saved.end());
    EXPECT_NE(text.find("CHV2=hex:01020304FFFFFFFF"), std::string::npos);
}

TEST(ProfileReading, AcceptsUtf16Text) {
    std::vector<uint8_t> utf16 = {0xFF, 0xFE};
    for (char c : std::string_view("[3F00]\r\nType=MF\r\n")) {
        utf16.push_back(static_cast<uint8_t>(c));
        utf16.push_back(0);
    }
    auto loaded = CardProfile::load(utf16);
    EXPECT_TRUE(std::holds_alternative<CardProfile::Loaded>(loaded));
}

struct MalformedCase {
    const char* what;
    const char* text;
    const char* line; // the message starts with this
};

const MalformedCase kMalformed[] = {
    {"text that is no key", "[3F00]\nType=MF\njunk\n", "line 3:"},
    {"key before any section", "Type=MF\n[3F00]\n", "line 1:"},
    {"section given twice", "[3F00]\nType=MF\n[3f00]\nType=MF\n", "line 3:"},
    {"key given twice", "[3F00]\nType=MF\nType=DF\n", "line 3:"},
    {"unknown key", "[3F00]\nType=MF\nColour=blue\n", "line 3:"},
    {"unknown type", "[3F00]\nType=XF\n", "line 2:"},
    {"no MF", "[Card]\nCHV1=1234\n", "line 1:"},
    {"MF that is a DF", "[3F00]\nType=DF\n", "line 2:"},
    {"section that is no path", "[3F00]\nType=MF\n[ADN]\nType=EF\n", "line 3:"},
    {"path not from the MF", "[3F00]\nType=MF\n[7F10]\nType=DF\n", "line 3:"},
    {"missing parent", "[3F00]\nType=MF\n\n[3F00/7F10/6F3A]\nType=EF\n", "line 4:"},
    {"EF under an EF",
     "[3F00]\nType=MF\n[3F00/2FE2]\nType=EF\nStructure=transparent\nSize=1\nRead=ALW\n"
     "Update=ALW\n[3F00/2FE2/6F3A]\nType=DF\n",
     "line 9:"},
    {"child with its parent's id",
     "[3F00]\nType=MF\n[3F00/7F10]\nType=DF\n[3F00/7F10/7F10]\nType=DF\n", "line 5:"},
    {"EF without access conditions",
     "[3F00]\nType=MF\n[3F00/2FE2]\nType=EF\nStructure=transparent\nSize=1\n", "line 3:"},
    {"unknown access condition",
     "[3F00]\nType=MF\n[3F00/2FE2]\nType=EF\nStructure=transparent\nSize=1\nRead=PIN\n"
     "Update=ALW\n",
     "line 7:"},
    {"record beyond the file",
     "[3F00]\nType=MF\n[3F00/6F3A]\nType=EF\nStructure=linear fixed\nRecordLength=2\n"
     "Records=2\nRead=ALW\nUpdate=ALW\n3=0000\n",
     "line 10:"},
    {"record of the wrong length",
     "[3F00]\nType=MF\n[3F00/6F3A]\nType=EF\nStructure=linear fixed\nRecordLength=2\n"
     "Records=2\nRead=ALW\nUpdate=ALW\n1=000000\n",
     "line 10:"},
    {"record that is not hex",
     "[3F00]\nType=MF\n[3F00/6F3A]\nType=EF\nStructure=linear fixed\nRecordLength=2\n"
     "Records=2\nRead=ALW\nUpdate=ALW\n2=00GG\n",
     "line 10:"},
    {"record given twice",
     "[3F00]\nType=MF\n[3F00/6F3A]\nType=EF\nStructure=linear fixed\nRecordLength=1\n"
     "Records=2\nRead=ALW\nUpdate=ALW\n1=00\n01=00\n",
     "line 11:"},
    {"record number with a leading zero",
     "[3F00]\nType=MF\n[3F00/6F3A]\nType=EF\nStructure=linear fixed\nRecordLength=1\n"
     "Records=2\nRead=ALW\nUpdate=ALW\n02=00\n",
     "line 10:"},
    {"too many records",
     "[3F00]\nType=MF\n[3F00/6F3A]\nType=EF\nStructure=cyclic\nRecordLength=2\n"
     "Records=256\nRead=ALW\nUpdate=ALW\n",
     "line 7:"},
    {"records in a transparent file",
     "[3F00]\nType=MF\n[3F00/2FE2]\nType=EF\nStructure=transparent\nSize=1\nRead=ALW\n"
     "Update=ALW\n1=00\n",
     "line 9:"},
    {"unknown structure", "[3F00]\nType=MF\n[3F00/2FE2]\nType=EF\nStructure=tree\nSize=1\n",
     "line 5:"},
    {"ATR without T=0", "[Card]\nATR=3B 80 01 81\n[3F00]\nType=MF\n", "line 2:"},
    {"ATR that is not hex", "[Card]\nATR=3B 0\n[3F00]\nType=MF\n", "line 2:"},
    {"code too long", "[Card]\nCHV1=123456789\n[3F00]\nType=MF\n", "line 2:"},
    {"attempts above the maximum", "[Card]\nCHV1=1234\nCHV1Attempts=4\n[3F00]\nType=MF\n",
     "line 3:"},
    {"attempts without a code", "[Card]\nCHV2Attempts=3\n[3F00]\nType=MF\n", "line 2:"},
    {"flag that is not 0 or 1", "[Card]\nCHV1Enabled=yes\n[3F00]\nType=MF\n", "line 2:"},
    {"unterminated section name", "[3F00\nType=MF\n", "line 1:"},
    // A carriage return that does not end a line is text to the INI reader.
    {"section after a carriage return",
     "; A \x9b" "ed.\r\n\n\r[Card]\r\n[3F00]\r\nType=MF\r\n", "line 3:"},
};

class MalformedProfiles : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedProfiles, AreRefusedNamingTheLine) {
    const std::string problem = problemOf(GetParam().text);
    EXPECT_TRUE(problem.starts_with(GetParam().line)) << GetParam().what << ": " << problem;
}

INSTANTIATE_TEST_SUITE_P(Cases, MalformedProfiles, ::testing::ValuesIn(kMalformed));

class ProfileFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("virtualsim-profile-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
};

TEST_F(ProfileFiles, SaveWritesTheCardBackToItsFile) {
    const auto path = folder / "card.simcard";
    std::ofstream(path, std::ios::binary) << kSmallCard;
    auto opened = VirtualCard::fromProfile(path);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<VirtualCard>>(opened));
    auto& card = *std::get<std::unique_ptr<VirtualCard>>(opened);
    EXPECT_EQ(card.transmit(verify(1, "0000")), (Bytes{0x98, 0x04}));
    EXPECT_EQ(card.transmit(verify(1, "0000")), (Bytes{0x98, 0x40})); // its last attempt
    std::string error;
    ASSERT_TRUE(card.saveProfile(path, &error)) << error;
    auto reopened = VirtualCard::fromProfile(path);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<VirtualCard>>(reopened));
    auto& again = *std::get<std::unique_ptr<VirtualCard>>(reopened);
    EXPECT_EQ(again.transmit(verify(1, "1234")), (Bytes{0x98, 0x40}));
    EXPECT_EQ(again.transmit(unblock(1, "12345678", "1234")), (Bytes{0x90, 0x00}));
}

TEST_F(ProfileFiles, AFileThatCannotBeReadOrParsedIsNamed) {
    auto missing = VirtualCard::fromProfile(folder / "none.simcard");
    ASSERT_TRUE(std::holds_alternative<std::string>(missing));
    EXPECT_NE(std::get<std::string>(missing).find("none.simcard"), std::string::npos);
    const auto path = folder / "bad.simcard";
    std::ofstream(path, std::ios::binary) << "[3F00]\nType=MF\nbad\n";
    auto bad = VirtualCard::fromProfile(path);
    ASSERT_TRUE(std::holds_alternative<std::string>(bad));
    EXPECT_NE(std::get<std::string>(bad).find("bad.simcard: line 3:"), std::string::npos);
}

} // namespace
