// File descriptions of 3GPP TS 51.011 9.2.1 (MF, DF) and 9.2.2 (EF), including
// descriptions cut short by the card.
#include "card/FileDescription.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace brontel {
namespace {

// MF: 0x1A2B bytes free, 3 DFs, 5 EFs, CHV1 disabled (bit 8 of the file
// characteristics), CHV1 3 attempts, UNBLOCK CHV1 10, CHV2 2, UNBLOCK CHV2 9.
const std::vector<uint8_t> kMasterFile{0x00, 0x00, 0x1A, 0x2B, 0x3F, 0x00, 0x01, 0x00,
                                       0x00, 0x00, 0x00, 0x00, 0x0A, 0xB1, 0x03, 0x05,
                                       0x04, 0x00, 0x83, 0x8A, 0x82, 0x89};
// DF telecom, CHV1 enabled, status bytes with the "secret code initialised" bit.
const std::vector<uint8_t> kTelecom{0x00, 0x00, 0x00, 0x40, 0x7F, 0x10, 0x02, 0x00,
                                    0x00, 0x00, 0x00, 0x00, 0x0A, 0x13, 0x00, 0x0C,
                                    0x04, 0x00, 0x80, 0x80, 0x80, 0x80};
// EF ADN: 500 bytes, linear fixed with 28-byte records, READ CHV1, UPDATE
// CHV2, INCREASE never, REHABILITATE ADM 4, INVALIDATE ADM A, not invalidated,
// increase allowed.
const std::vector<uint8_t> kAdn{0x00, 0x00, 0x01, 0xF4, 0x6F, 0x3A, 0x04, 0x40,
                                0x12, 0xF0, 0x4A, 0x01, 0x02, 0x01, 0x1C};

// Each description with every field it sets; the rest stay zero.
struct Described {
    const char* name;
    const std::vector<uint8_t>& bytes;
    SimFileInfo expected;
    uint16_t records;
};

void PrintTo(const Described& d, std::ostream* os) {
    *os << d.name;
}

class DescribedFile : public ::testing::TestWithParam<Described> {};

TEST_P(DescribedFile, SetsEveryFieldItCarries) {
    const Described& d = GetParam();
    SimFileInfo info;
    info.length = static_cast<uint16_t>(d.bytes.size());
    const DescriptionParse parse = parse_file_description(d.bytes, info);
    EXPECT_TRUE(parse.complete);
    EXPECT_TRUE(parse.hasDetails);
    EXPECT_EQ(info, d.expected); // length cleared too
    EXPECT_EQ(info.recordCount(), d.records);
}

INSTANTIATE_TEST_SUITE_P(Files, DescribedFile,
                         ::testing::Values(Described{"MasterFile",
                                                     kMasterFile,
                                                     {.freeMemory = 0x1A2B,
                                                      .chv1Disabled = 1,
                                                      .fileId = 0x3F00,
                                                      .fileType = kFileTypeMf,
                                                      .dfCount = 3,
                                                      .efCount = 5,
                                                      .chv1Attempts = 3,
                                                      .unblockChv1Attempts = 10,
                                                      .chv2Attempts = 2,
                                                      .unblockChv2Attempts = 9},
                                                     0},
                                           Described{"DedicatedFile",
                                                     kTelecom,
                                                     {.freeMemory = 0x40,
                                                      .fileId = 0x7F10,
                                                      .fileType = kFileTypeDf,
                                                      .efCount = 12},
                                                     0},
                                           Described{"ElementaryFile",
                                                     kAdn,
                                                     {.fileSize = 500,
                                                      .fileId = 0x6F3A,
                                                      .updateCondition = 2,
                                                      .readCondition = 1,
                                                      .increaseCondition = 0xF,
                                                      .invalidateCondition = 0xA,
                                                      .rehabilitateCondition = 4,
                                                      .increaseAllowed = 1,
                                                      .fileType = kFileTypeEf,
                                                      .structure = kLinearFixed,
                                                      .recordLength = 28},
                                                     17}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileDescription, InvalidatedFileReadableWhenInvalidated) {
    std::vector<uint8_t> bytes = kAdn;
    bytes[11] = 0x04; // file status: invalidated, readable and updatable when invalidated
    SimFileInfo info;
    EXPECT_TRUE(parse_file_description(bytes, info).complete);
    EXPECT_EQ(info.invalidated, 1);
    EXPECT_EQ(info.readableWhenInvalidated, 1);
}

TEST(FileDescription, ByteTwelveZeroStopsAfterIdAndType) {
    for (const auto& full : {kMasterFile, kAdn}) {
        std::vector<uint8_t> bytes = full;
        bytes[12] = 0;
        SimFileInfo info;
        const DescriptionParse parse = parse_file_description(bytes, info);
        EXPECT_TRUE(parse.complete);
        EXPECT_FALSE(parse.hasDetails);
        SimFileInfo expected;
        expected.freeMemory = static_cast<uint16_t>(full[2] << 8 | full[3]);
        expected.fileId = static_cast<uint16_t>(full[4] << 8 | full[5]);
        expected.fileType = full[6];
        EXPECT_EQ(info, expected);
    }
}

TEST(FileDescription, ZeroRecordLengthCountsNoRecords) {
    std::vector<uint8_t> bytes = kAdn;
    bytes[14] = 0;
    SimFileInfo info;
    parse_file_description(bytes, info);
    EXPECT_EQ(info.recordCount(), 0);
}

// Every prefix of each description is parsed from a buffer of exactly that
// size (so a read past it is caught by the address sanitizer): only the full
// description succeeds, and whatever is set agrees with the full parse.
TEST(FileDescription, TruncatedDescriptionsFailAndSetOnlyWhatArrived) {
    for (const auto& full : {kMasterFile, kTelecom, kAdn}) {
        SimFileInfo complete;
        ASSERT_TRUE(parse_file_description(full, complete).complete);
        for (size_t n = 0; n < full.size(); ++n) {
            const std::vector<uint8_t> prefix(full.begin(), full.begin() + n);
            SimFileInfo info;
            info.length = 0x22;
            EXPECT_FALSE(parse_file_description(prefix, info).complete) << "prefix " << n;
            EXPECT_EQ(info.length, 0);
            const auto agrees = [](auto got, auto want) { return got == 0 || got == want; };
            EXPECT_TRUE(agrees(info.fileId, complete.fileId)) << n;
            EXPECT_TRUE(agrees(info.fileType, complete.fileType)) << n;
            EXPECT_TRUE(agrees(info.dfCount, complete.dfCount)) << n;
            EXPECT_TRUE(agrees(info.chv2Attempts, complete.chv2Attempts)) << n;
            EXPECT_TRUE(agrees(info.recordLength, complete.recordLength)) << n;
        }
    }
}

TEST(FileDescription, TruncationPoints) {
    SimFileInfo info;
    // Bytes 0-2: free memory needs byte 3 too.
    parse_file_description(std::vector<uint8_t>(kMasterFile.begin(), kMasterFile.begin() + 3),
                           info);
    EXPECT_EQ(info.freeMemory, 0);
    // Up to the type: header set, no details.
    EXPECT_FALSE(parse_file_description(std::vector<uint8_t>(kAdn.begin(), kAdn.begin() + 7), info)
                     .hasDetails);
    EXPECT_EQ(info.fileId, 0x6F3A);
    EXPECT_EQ(info.fileType, kFileTypeEf);
    EXPECT_EQ(info.fileSize, 0);
    // MF without its last two status bytes: CHV1 counters there, CHV2 missing.
    parse_file_description(std::vector<uint8_t>(kMasterFile.begin(), kMasterFile.begin() + 20),
                           info);
    EXPECT_EQ(info.unblockChv1Attempts, 10);
    EXPECT_EQ(info.chv2Attempts, 0);
    EXPECT_EQ(info.unblockChv2Attempts, 0);
    // EF without its record length.
    EXPECT_FALSE(parse_file_description(std::vector<uint8_t>(kAdn.begin(), kAdn.begin() + 14), info)
                     .complete);
    EXPECT_EQ(info.structure, kLinearFixed);
    EXPECT_EQ(info.fileSize, 500);
    EXPECT_EQ(info.recordLength, 0);
}

SimFileInfo sentinel() {
    // Every field holds a value no parse writes.
    SimFileInfo info;
    info.length = info.fileSize = info.freeMemory = info.chv1Disabled = info.fileId = 0xAAAA;
    for (uint8_t* field :
         {&info.invalidated, &info.readableWhenInvalidated, &info.updateCondition,
          &info.readCondition, &info.increaseCondition, &info.invalidateCondition,
          &info.rehabilitateCondition, &info.increaseAllowed, &info.fileType, &info.structure,
          &info.dfCount, &info.efCount, &info.chv1Attempts, &info.unblockChv1Attempts,
          &info.recordLength, &info.chv2Attempts, &info.unblockChv2Attempts}) {
        *field = 0xAA;
    }
    return info;
}

TEST(DescriptionFields, ElementaryFileSetsShapeOnly) {
    SimFileInfo info = sentinel();
    EXPECT_TRUE(read_description_fields(kAdn, info));
    SimFileInfo expected = sentinel();
    expected.fileSize = 500;
    expected.recordLength = 28;
    expected.fileType = kFileTypeEf;
    expected.structure = kLinearFixed;
    EXPECT_EQ(info, expected);
}

TEST(DescriptionFields, DirectorySetsCountsAndCounters) {
    SimFileInfo info = sentinel();
    EXPECT_TRUE(read_description_fields(kMasterFile, info));
    SimFileInfo expected = sentinel();
    expected.fileType = kFileTypeMf;
    expected.freeMemory = 0x1A2B;
    expected.dfCount = 3;
    expected.efCount = 5;
    expected.chv1Disabled = 1;
    expected.chv1Attempts = 3;
    expected.unblockChv1Attempts = 10;
    expected.chv2Attempts = 2;
    expected.unblockChv2Attempts = 9;
    EXPECT_EQ(info, expected);
}

TEST(DescriptionFields, IgnoresByteTwelve) {
    std::vector<uint8_t> bytes = kAdn;
    bytes[12] = 0;
    SimFileInfo info;
    EXPECT_TRUE(read_description_fields(bytes, info));
    EXPECT_EQ(info.recordLength, 28);
}

TEST(DescriptionFields, TruncatedFails) {
    for (const auto& full : {kMasterFile, kAdn}) {
        for (size_t n = 0; n < full.size(); ++n) {
            const std::vector<uint8_t> prefix(full.begin(), full.begin() + n);
            SimFileInfo info = sentinel();
            EXPECT_FALSE(read_description_fields(prefix, info)) << n;
        }
    }
}

} // namespace
} // namespace brontel
