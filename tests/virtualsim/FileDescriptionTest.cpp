// TS 51.011 9.2.1: the description of a directory and of an EF, byte for byte,
// and how GET RESPONSE and STATUS hand it out.
#include "CardFixture.h"

using namespace cardtest;

namespace {

class FileDescriptions : public CardTest {};

// Whole descriptions, as GET RESPONSE hands them out after the SELECT of the
// path announced their length.
struct Description {
    const char* name;
    std::vector<uint16_t> path;
    Bytes bytes;
};

void PrintTo(const Description& d, std::ostream* os) {
    *os << d.name;
}

class WholeDescription : public CardTest, public ::testing::WithParamInterface<Description> {};

TEST_P(WholeDescription, IsHandedOutByteForByte) {
    const Description& d = GetParam();
    uint16_t word = 0;
    for (uint16_t id : d.path) {
        word = send(select(id));
    }
    const auto length = static_cast<uint8_t>(d.bytes.size());
    ASSERT_EQ(word, 0x9F00 | length);
    ASSERT_EQ(send(getResponse(length)), 0x9000);
    EXPECT_EQ(data, d.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WholeDescription,
    ::testing::Values(Description{"MasterFile", {0x3F00}, {0x00, 0x00, 0x00, 0x00, 0x3F, 0x00,
                                                           0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                           0x09, 0x11, 0x03, 0x01, 0x04, 0x00,
                                                           0x83, 0x8A, 0x83, 0x8A}},
                      // 4 records of 28: 112 bytes; READ CHV1 UPDATE CHV2, INCREASE NEV,
                      // REHABILITATE and INVALIDATE ADM; not invalidated.
                      Description{"LinearFixedEf",
                                  {0x7F10, 0x6F3B},
                                  {0x00, 0x00, 0x00, 0x70, 0x6F, 0x3B, 0x04, 0x00, 0x12, 0xF0, 0x44,
                                   0x01, 0x02, 0x01, 0x1C}},
                      Description{"CyclicEfWithIncreaseAllowed",
                                  {0x7F20, 0x6F39},
                                  {0x00, 0x00, 0x00, 0x0C, 0x6F, 0x39, 0x04, 0x40, 0x00, 0x00, 0x00,
                                   0x01, 0x02, 0x03, 0x03}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileDescriptions, DedicatedFileCountsItsOwnChildren) {
    ASSERT_EQ(selectPath({0x7F20}), 0x9F16);
    ASSERT_EQ(send(getResponse(0x16)), 0x9000);
    EXPECT_EQ(data[4], 0x7F);
    EXPECT_EQ(data[5], 0x20);
    EXPECT_EQ(data[6], 0x02);
    EXPECT_EQ(data[14], 1); // 5F30
    EXPECT_EQ(data[15], 4); // 6F07 6F39 6F45 6F74
}

TEST_F(FileDescriptions, TransparentEfAndInvalidationFlags) {
    struct Case {
        uint16_t id;
        uint8_t fileStatus;
    };
    for (const Case& c : {Case{0x6F07, 0x01}, Case{0x6F45, 0x00}, Case{0x6F74, 0x04}}) {
        card->reset();
        ASSERT_EQ(selectPath({0x7F20, c.id}), 0x9F0F);
        ASSERT_EQ(send(getResponse(0x0F)), 0x9000);
        EXPECT_EQ(data[11], c.fileStatus) << std::hex << c.id;
        EXPECT_EQ(data[13], 0x00);
        EXPECT_EQ(data[14], 0x00);
    }
    ASSERT_EQ(selectPath({0x7F20, 0x6F07}), 0x9F0F);
    ASSERT_EQ(send(getResponse(0x0F)), 0x9000);
    EXPECT_EQ(data[3], 9);
    EXPECT_EQ(data[8], 0x14); // READ CHV1, UPDATE ADM
}

TEST_F(FileDescriptions, Chv1DisabledBitAndCountersFollowTheSecurityState) {
    ASSERT_EQ(send(verify(1, "0000")), 0x9804);
    ASSERT_EQ(send(verify(2, "0000")), 0x9804);
    ASSERT_EQ(send(unblock(2, "00000000", "5678")), 0x9804);
    ASSERT_EQ(send(disable("1234")), 0x9000);
    ASSERT_EQ(send(status(0x16)), 0x9000);
    EXPECT_EQ(data[13], 0x91);
    EXPECT_EQ(data[18], 0x83); // the correct DISABLE reset the counter
    EXPECT_EQ(data[19], 0x8A);
    EXPECT_EQ(data[20], 0x82);
    EXPECT_EQ(data[21], 0x89);
}

TEST_F(FileDescriptions, StatusDescribesTheCurrentDirectoryWhateverEfIsSelected) {
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    ASSERT_EQ(send(status(0x16)), 0x9000);
    EXPECT_EQ(data.size(), 0x16u);
    EXPECT_EQ(data[5], 0x10);
    EXPECT_EQ(data[15], 4);
    // The EF stays selected.
    ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    EXPECT_EQ(send(readRecord(1, 0x04, 28)), 0x9000);
}

TEST_F(FileDescriptions, ShorterRequestsGetAPrefixLongerOnesTheLength) {
    ASSERT_EQ(send(status(0x0E)), 0x9000);
    EXPECT_EQ(data.size(), 14u);
    EXPECT_EQ(send(status(0x17)), 0x6716);
    EXPECT_EQ(send(status(0x00)), 0x6716); // P3 = 00 asks for 256 bytes
    ASSERT_EQ(selectPath({0x2FE2}), 0x9F0F);
    EXPECT_EQ(send(getResponse(0x10)), 0x670F);
    ASSERT_EQ(send(getResponse(0x07)), 0x9000);
    EXPECT_EQ(data, (Bytes{0x00, 0x00, 0x00, 0x0A, 0x2F, 0xE2, 0x04}));
    // Still there for a second GET RESPONSE, gone after another command.
    EXPECT_EQ(send(getResponse(0x0F)), 0x9000);
    ASSERT_EQ(send(status(0x16)), 0x9000);
    EXPECT_EQ(send(getResponse(0x0F)), 0x6F00);
}

TEST_F(FileDescriptions, ACardWithoutChv2ReportsItUninitialised) {
    card->security().chv(virtualsim::Chv::Two) = virtualsim::SecretCode();
    card->security().unblockKey(virtualsim::Chv::Two) = virtualsim::SecretCode();
    ASSERT_EQ(send(status(0x16)), 0x9000);
    EXPECT_EQ(data[16], 2);
    EXPECT_EQ(data[20], 0x00);
    EXPECT_EQ(data[21], 0x00);
    EXPECT_EQ(send(verify(2, "5678")), 0x9802);
}

} // namespace
