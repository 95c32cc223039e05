// Texts of PC/SC result codes and system error codes.
#include "pcsc/ErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace brontel {
namespace {

std::u16string u16(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

struct Known {
    uint32_t code;
    std::string_view text;
    friend void PrintTo(const Known& k, std::ostream* os) { *os << std::hex << k.code; }
};

class PcscTexts : public ::testing::TestWithParam<Known> {};

TEST_P(PcscTexts, CarryTheCodesTextAndTheLastErrno) {
    errno = EACCES;
    EXPECT_EQ(pcsc_error_text(static_cast<int32_t>(GetParam().code)),
              u16(std::string(GetParam().text) + " ErrorCode:13"));
    EXPECT_EQ(errno, EACCES);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, PcscTexts,
    ::testing::Values(
        Known{0x00000000, "No error was encountered."},
        Known{0x80100001, "An internal consistency check failed."},
        Known{0x8010000B,
              "The smart card cannot be accessed because of other outstanding connections."},
        Known{0x8010000C, "The operation requires a smart card, but no smart card is currently "
                          "in the device."},
        Known{0x8010001F, "An unexpected card error has occurred."},
        Known{0x8010002F, "A communications error with the smart card has been detected."},
        Known{0x80100065, "The reader cannot communicate with the card, due to ATR string "
                          "configuration conflicts."},
        Known{0x80100069, "The smart card has been removed, so that further communication is "
                          "not possible."},
        Known{0x8010006E, "The action was cancelled by the user."},
        Known{0x80100040, "Unknown error!"}, Known{0x8010006F, "Unknown error!"},
        Known{0x00000001, "Unknown error!"}));

TEST(PcscTexts, CoverExactlyTheTwoRangesOfCodes) {
    for (uint32_t code = 0x80100001; code <= 0x80100070; ++code) {
        const bool known = code <= 0x8010002F || (code >= 0x80100065 && code <= 0x8010006E);
        const std::u16string text = pcsc_error_text(static_cast<int32_t>(code));
        EXPECT_EQ(text.starts_with(u"Unknown error!"), !known) << std::hex << code;
    }
}

TEST(PcscTexts, LastTextIsKept) {
    pcsc_error_text(static_cast<int32_t>(0x80100017));
    EXPECT_TRUE(last_pcsc_error_text().starts_with(
        u"The specified reader is not currently available for use. ErrorCode:"));
}

TEST(SystemErrorText, NamesTheCodeAndItsMessage) {
    EXPECT_EQ(system_error_text(ENOENT), u"errcode: 2 No such file or directory");
}

TEST(SystemErrorText, ZeroStandsForErrno) {
    errno = EACCES;
    EXPECT_EQ(system_error_text(0), u"errcode: 13 Permission denied");
}

} // namespace
} // namespace brontel
