// FCP templates of TS 102 221 11.1.1.3 decode to the description they hold:
// templates in the shapes real UICCs answer with (referenced, expanded and
// compact security attributes), malformed ones, and every file of the
// virtual UICC test card.
#include "card/FcpParser.h"

#include "card/CardProfile.h"
#include "card/FileControlParameters.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace brontel {
namespace {

std::vector<uint8_t> bytesOf(std::string_view hex) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        out.push_back(static_cast<uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return out;
}

struct Vector {
    const char* name;
    const char* fcp;
    SimFileInfo expected;
};

SimFileInfo ef(uint16_t id, uint8_t structure, uint16_t size, uint8_t recordLength, uint8_t read,
               uint8_t update, uint8_t invalidate, uint8_t rehabilitate, uint8_t invalidated = 0) {
    SimFileInfo info;
    info.fileType = kFileTypeEf;
    info.fileId = id;
    info.structure = structure;
    info.fileSize = size;
    info.recordLength = recordLength;
    info.readCondition = read;
    info.updateCondition = update;
    info.invalidateCondition = invalidate;
    info.rehabilitateCondition = rehabilitate;
    info.increaseCondition = 0xF;
    info.invalidated = invalidated;
    return info;
}

SimFileInfo directory(uint8_t type, uint16_t id, uint16_t freeMemory, uint16_t chv1Disabled) {
    SimFileInfo info;
    info.fileType = type;
    info.fileId = id;
    info.freeMemory = freeMemory;
    info.chv1Disabled = chv1Disabled;
    info.readCondition = 1;
    info.updateCondition = 1;
    info.invalidateCondition = 4;
    info.rehabilitateCondition = 4;
    info.increaseCondition = 0xF;
    return info;
}

class FcpVectors : public ::testing::TestWithParam<Vector> {};

TEST_P(FcpVectors, DecodeToTheValuesTheyHold) {
    SimFileInfo info;
    ASSERT_TRUE(parse_fcp(bytesOf(GetParam().fcp), info));
    EXPECT_EQ(info, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, FcpVectors,
    ::testing::Values(
        // MF, 0x1A2B bytes free, referenced security, PIN1 disabled (PS_DO 60).
        Vector{"MasterFile",
               "62298202782183023F00A509800171830400001A2B8A01058B032F0602C60C900160830101"
               "83018183010A",
               directory(kFileTypeMf, 0x3F00, 0x1A2B, 1)},
        // ADF USIM with its AID, PIN1 enabled, a usage qualifier among the keys.
        Vector{"Application",
               "62308202782183027FFF8410A0000000871002FF44FF1289000001008A01058B032F0601C60C"
               "900180950108830101830181",
               directory(kFileTypeDf, 0x7FFF, 0, 0)},
        // EF ICCID: transparent, 10 bytes, referenced security, SFI 02.
        Vector{"Transparent", "62178202412183022FE28A01058B032F06018002000A880110",
               ef(0x2FE2, kTransparent, 10, 0, 1, 1, 4, 4)},
        // EF ADN: 250 records of 28, deactivated, READ PIN1, UPDATE PIN2, (DE)ACTIVATE ADM1.
        Vector{"LinearFixedExpanded",
               "623782054221001CFA83026F3A8A0104AB21800101A406830101950108800102A40683018195"
               "0108800118A40683010A95010880021B588800",
               ef(0x6F3A, kLinearFixed, 7000, 28, 1, 2, 4, 4, 1)},
        // Cyclic, compact format: UPDATE needs a verification, READ always.
        Vector{"CyclicCompact", "62178205462100200A83026F448A01058C0303010080020140",
               ef(0x6F44, kCyclic, 320, 32, 0, 1, 4, 4)},
        // OR takes the easiest condition, AND the hardest; 97 is never.
        Vector{"OrAndNever",
               "62318202412183026F07AB23800101A00AA40383010AA403830101800102AF0AA403830101A4"
               "03830181800118970080020009",
               ef(0x6F07, kTransparent, 9, 0, 1, 2, 0xF, 0xF)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FcpTemplate, MalformedOrIncompleteIsNoDescription) {
    for (const char* hex : {
             "",
             "6203820241",                     // object runs past its template
             "62108202412183022FE2",           // template longer than the data
             "620483022FE2",                   // no file descriptor
             "620482024121",                   // no identifier
             "62088202392183022FE2",           // a BER-TLV EF
             "620B8205422101000583026F3A",     // record length beyond a byte
             "620D8202412183022FE2AB03800101", // access mode without condition
             "6F0A8202412183022FE2",           // not an FCP template
             "620C8202412183022FE2A48083",     // indefinite length
         }) {
        SimFileInfo info;
        EXPECT_FALSE(parse_fcp(bytesOf(hex), info)) << hex;
    }
}

// Every file of the virtual UICC: what it answers decodes to what it is.
TEST(FcpTemplate, VirtualUiccAnswersDecodeToItsFiles) {
    std::ifstream in(std::filesystem::path(PELMORA_TEST_CARDS) / "uicc-refuses-a0.simcard",
                     std::ios::binary);
    const std::vector<uint8_t> text{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    auto loaded = virtualsim::CardProfile::load(text);
    ASSERT_TRUE(std::holds_alternative<virtualsim::CardProfile::Loaded>(loaded));
    const auto& card = *std::get<virtualsim::CardProfile::Loaded>(loaded).card;
    size_t checked = 0;
    std::vector<const virtualsim::CardFile*> pending{&card.mf()};
    while (!pending.empty()) {
        const virtualsim::CardFile& file = *pending.back();
        pending.pop_back();
        for (const auto& child : file.children()) {
            pending.push_back(child.get());
        }
        SimFileInfo info;
        ASSERT_TRUE(parse_fcp(virtualsim::FileControlParameters::of(file, card.security()), info))
            << file.path();
        EXPECT_EQ(info.fileId, file.id()) << file.path();
        EXPECT_EQ(info.fileType, static_cast<uint8_t>(file.type())) << file.path();
        EXPECT_EQ(info.invalidated, file.invalidated() ? 1 : 0) << file.path();
        if (file.isDirectory()) {
            EXPECT_EQ(info.freeMemory, file.freeMemory()) << file.path();
            EXPECT_EQ(info.chv1Disabled, card.security().chv1Enabled() ? 0 : 1) << file.path();
        } else {
            EXPECT_EQ(info.structure, static_cast<uint8_t>(file.structure())) << file.path();
            EXPECT_EQ(info.fileSize, file.size()) << file.path();
            EXPECT_EQ(info.recordLength, file.recordLength()) << file.path();
            EXPECT_EQ(info.readCondition, file.access().read) << file.path();
            EXPECT_EQ(info.updateCondition, file.access().update) << file.path();
            EXPECT_EQ(info.invalidateCondition, file.access().invalidate) << file.path();
            EXPECT_EQ(info.rehabilitateCondition, file.access().rehabilitate) << file.path();
        }
        ++checked;
    }
    EXPECT_GT(checked, 20u);
}

} // namespace
} // namespace brontel
