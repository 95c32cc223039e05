// EF PBR records: the files each lists, by type; damaged records end early
// instead of reading past their end.

#include "codec/PhoneBookReference.h"
#include "Hex.h"

#include <gtest/gtest.h>

namespace brontel::codec {
namespace {

using test::hex;
using K = ReferenceKind;

struct Case {
    const char* name;
    const char* record;
    std::vector<ReferencedFile> files;
};

const Case kCases[] = {
    // The layout of the first record in the phone book example of the standard.
    {"ThreeTypes",
     "A80FC0034F3A01C5034F0902C9034F2003 A905CA034F5008 AA05C2034F4A1E FFFF",
     {{kTagAdn, K::ByRecordNumber, 0x4F3A, 0x01},
      {kTagPbc, K::ByRecordNumber, 0x4F09, 0x02},
      {kTagUid, K::ByRecordNumber, 0x4F20, 0x03},
      {kTagEmail, K::ThroughIap, 0x4F50, 0x08},
      {kTagExt1, K::Linked, 0x4F4A, 0x1E}}},
    {"WithoutSfi", "A804C0024F3AFF", {{kTagAdn, K::ByRecordNumber, 0x4F3A, std::nullopt}}},
    {"UnusedRecord", "FFFFFFFFFFFF", {}},
    {"LengthPastTheEnd", "A80FC0034F3A01", {}},
    {"FileTlvPastItsTemplate",
     "A806C0034F3A01C5034F09",
     {{kTagAdn, K::ByRecordNumber, 0x4F3A, 0x01}}},
    {"UnknownTemplateSkipped",
     "B003010203A805C0034F3A01",
     {{kTagAdn, K::ByRecordNumber, 0x4F3A, 0x01}}},
    {"LongFormLength", "A88105C0034F3A01", {{kTagAdn, K::ByRecordNumber, 0x4F3A, 0x01}}},
    {"Empty", "", {}},
};

class PhoneBookReference : public ::testing::TestWithParam<Case> {};

TEST_P(PhoneBookReference, ListsTheFiles) {
    EXPECT_EQ(parsePhoneBookReference(hex(GetParam().record)), GetParam().files);
}

INSTANTIATE_TEST_SUITE_P(Records, PhoneBookReference, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace brontel::codec
