// Stored records fitted to card records of another length.

#include "backup/StoredRecord.h"

#include "Hex.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace brontel {
namespace {

using codec::test::hex;
using codec::test::hexText;

// An ADN-style record: alpha bytes, then the 14-byte number part.
std::vector<uint8_t> adn(const std::string& alpha) {
    auto bytes = hex(alpha);
    const auto number = hex("07 91 44 77 00 09 10 10 FF FF FF FF FF FF");
    bytes.insert(bytes.end(), number.begin(), number.end());
    return bytes;
}

struct FitCase {
    const char* name;
    FileId file;
    std::vector<uint8_t> stored;
    size_t recordLength;
    std::optional<std::vector<uint8_t>> expected;
};

class FitStoredRecord : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitStoredRecord, GivesTheCardRecord) {
    const FitCase& c = GetParam();
    const auto fitted = fitStoredRecord(c.file, c.stored, c.recordLength);
    ASSERT_EQ(fitted.has_value(), c.expected.has_value());
    if (fitted) {
        EXPECT_EQ(hexText(*fitted), hexText(*c.expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, FitStoredRecord,
    ::testing::Values(
        FitCase{"SameLengthAsItIs", files::kSms, hex("01 02 03"), 3, hex("01 02 03")},
        // 30-byte ADN onto 28 bytes: the alpha identifier loses its last two bytes.
        FitCase{"AdnCutAtTheAlphaEnd", files::kAdn,
                adn("41 6C 69 63 65 20 4D 6F 72 67 61 6E FF FF 58 59"), 28,
                adn("41 6C 69 63 65 20 4D 6F 72 67 61 6E FF FF")},
        // ... and onto 32 bytes: two FF bytes more before the number part.
        FitCase{"AdnPaddedAtTheAlphaEnd", files::kAdn,
                adn("41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50"), 32,
                adn("41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 FF FF")},
        FitCase{"FdnAlphaDropped", files::kFdn, adn("41 42"), 14, adn("")},
        FitCase{"MsisdnFromNumberOnly", files::kMsisdn, adn(""), 16, adn("FF FF")},
        FitCase{"LndKeepsNumber", files::kLnd, adn("41"), 15, adn("41")},
        FitCase{"SdnKeepsNumber", files::kSdn, adn("41 42 43"), 15, adn("41")},
        // BDN records end in a comparison method pointer after the number: cut at the end.
        FitCase{"BdnCutAtTheEnd", files::kBdn, hex("01 02 03 04"), 2, hex("01 02")},
        FitCase{"OtherFilePaddedWithFf", files::kIdenEmail, hex("01 02"), 4, hex("01 02 FF FF")},
        FitCase{"OtherFileCut", files::kSms, hex("01 02 03 04"), 3, hex("01 02 03")},
        FitCase{"EmptyRecordAllFf", files::kSms, {}, 2, hex("FF FF")},
        FitCase{"AdnShorterThanNumberPart", files::kAdn, hex("07 91 44 77"), 28, std::nullopt},
        FitCase{"CardAdnShorterThanNumberPart", files::kAdn, adn("41"), 13, std::nullopt},
        FitCase{"LongestRecordKept", files::kSms, std::vector<uint8_t>(256, 0x5A), 255,
                std::vector<uint8_t>(255, 0x5A)},
        FitCase{"BeyondTheRecordBuffer", files::kSms, std::vector<uint8_t>(257, 0x5A), 255,
                std::nullopt},
        FitCase{"BeyondTheRecordBufferEvenAtItsOwnLength", files::kAdn,
                std::vector<uint8_t>(257, 0x5A), 257, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace brontel
