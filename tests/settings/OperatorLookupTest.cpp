#include "OperatorLookup.h"

#include <gtest/gtest.h>

#include <fstream>

namespace pelmora::velmet {
namespace {

std::string narrow(std::u16string_view text) {
    return {text.begin(), text.end()};
}

platform::ProfileDocument list(std::string_view text) {
    return platform::ProfileDocument::parse(
        std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

// Written the way the generated list is: digits in order, leading zeros kept.
constexpr std::string_view kList = "[PLMN1]\nmcc=262\nmnc=01\ncountry=Germany\noperator=Telekom\n"
                                   "network_type=GSM\n"
                                   "[PLMN2]\nmcc=262\nmnc=02\ncountry=Germany\noperator=Vodafone\n"
                                   "network_type=GSM\n"
                                   "[PLMN3]\nmcc=310\nmnc=260\ncountry=United States\n"
                                   "operator=T-Mobile\nnetwork_type=GSM\n"
                                   "[PLMN4]\nmcc=001\nmnc=01\ncountry=Test network\n"
                                   "operator=Test\nnetwork_type=GSM\n";

// An older list: hexadecimal bytes without leading zeros, MNC digit 3 first.
constexpr std::string_view kOlderList = "[PLMN1]\nmcc=262\nmnc=1\ncountry=Germany\n"
                                        "operator=Telekom\nnetwork_type=GSM\n"
                                        "[PLMN2]\nmcc=310\nmnc=026\ncountry=USA\n"
                                        "operator=T-Mobile\nnetwork_type=GSM\n"
                                        "[PLMN3]\nmcc=01\nmnc=1\ncountry=Test\noperator=Test\n";

struct LookupCase {
    std::array<uint8_t, 3> location;
    const char* mcc;
    const char* mnc;
    const char* operatorName;
    const char* country;
    const char* line;
};

TEST(OperatorLookup, CodesInDigitOrderFindTheirOperator) {
    const LookupCase cases[] = {
        {{0x62, 0xF2, 0x10}, "262", "01", "Telekom", "Germany", "Telekom Germany GSM"},
        {{0x62, 0xF2, 0x20}, "262", "02", "Vodafone", "Germany", "Vodafone Germany GSM"},
        {{0x13, 0x00, 0x62},
         "310",
         "260",
         "T-Mobile",
         "United States",
         "T-Mobile United States GSM"},
        {{0x00, 0xF1, 0x10}, "001", "01", "Test", "Test network", "Test Test network GSM"},
        // MCC known, MNC not: the MNC and the country of the last MCC match.
        {{0x62, 0xF2, 0x99}, "262", "99", "", "Germany", "99 Germany"},
        // Neither known: MNC and MCC.
        {{0x32, 0xF4, 0x10}, "234", "01", "", "", "01 234"},
    };
    const auto operators = list(kList);
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.mcc + std::string("/") + c.mnc);
        const auto info = lookupOperator(c.location, operators);
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(narrow(info->mcc), c.mcc);
        EXPECT_EQ(narrow(info->mnc), c.mnc);
        EXPECT_EQ(info->found, *c.operatorName != '\0');
        EXPECT_EQ(narrow(info->operatorName), c.operatorName);
        EXPECT_EQ(narrow(info->country), c.country);
        EXPECT_EQ(narrow(networkLine(info)), c.line);
    }
}

TEST(OperatorLookup, OlderListsStillMatch) {
    const auto operators = list(kOlderList);
    const std::pair<std::array<uint8_t, 3>, const char*> cases[] = {
        {{0x62, 0xF2, 0x10}, "Telekom Germany GSM"},
        {{0x13, 0x00, 0x62}, "T-Mobile USA GSM"},
        {{0x00, 0xF1, 0x10}, "Test Test"},
    };
    for (const auto& [location, line] : cases) {
        EXPECT_EQ(narrow(networkLine(lookupOperator(location, operators))), line);
    }
}

TEST(OperatorLookup, UnusableLocationsFindNothing) {
    const auto operators = list(kList);
    const std::array<uint8_t, 3> locations[] = {
        {0xFF, 0xF2, 0x10}, {0x62, 0xFF, 0x10}, {0x62, 0xF2, 0xFF}, {0x6A, 0xF2, 0x10},
        {0x62, 0xFB, 0x10}, {0x62, 0xF2, 0x1C}, {0x62, 0xA2, 0x10},
    };
    for (const auto& location : locations) {
        EXPECT_EQ(lookupOperator(location, operators), std::nullopt);
    }
    EXPECT_EQ(networkLine(std::nullopt), u"");
}

TEST(OperatorLookup, SearchEndsAtTheFirstSectionWithoutMcc) {
    const auto first = list("[PLMN1]\nmnc=01\n[PLMN2]\nmcc=262\nmnc=01\noperator=Telekom\n");
    auto info = lookupOperator({0x62, 0xF2, 0x10}, first);
    ASSERT_TRUE(info);
    EXPECT_FALSE(info->found);
    EXPECT_EQ(info->country, u"");

    const auto gap = list("[PLMN1]\nmcc=262\nmnc=02\ncountry=DE\n[PLMN3]\nmcc=262\nmnc=01\n"
                          "operator=Telekom\n");
    info = lookupOperator({0x62, 0xF2, 0x10}, gap);
    ASSERT_TRUE(info);
    EXPECT_FALSE(info->found);
    EXPECT_EQ(info->country, u"DE");

    const auto order = list("[PLMN2]\nmcc=262\nmnc=01\noperator=Second\n"
                            "[plmn1]\nMCC=262\nMNC=01\nOPERATOR=First\n");
    EXPECT_EQ(lookupOperator({0x62, 0xF2, 0x10}, order)->operatorName, u"First");
}

TEST(OperatorLookup, CountryIsTheLastMccMatch) {
    const auto operators = list("[PLMN1]\nmcc=262\nmnc=01\ncountry=First\n"
                                "[PLMN2]\nmcc=262\nmnc=02\ncountry=Second\n"
                                "[PLMN3]\nmcc=263\nmnc=03\ncountry=Other\n");
    const auto info = lookupOperator({0x62, 0xF2, 0x90}, operators);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->country, u"Second");
}

TEST(OperatorLookup, GeneratedListIsReadBack) {
    // The generator's form: a byte-order mark, comments, CR LF line ends.
    const auto operators = list("\xEF\xBB\xBF; Operator names\r\n; Generated\r\n"
                                "\r\n[PLMN1]\r\nmcc=262\r\nmnc=01\r\ncountry=Germany\r\n"
                                "operator=Telekom\r\nnetwork_type=GSM\r\n"
                                "\r\n[PLMN2]\r\nmcc=286\r\nmnc=01\r\ncountry=T\xC3\xBCrkiye\r\n"
                                "operator=Turkcell\r\nnetwork_type=GSM\r\n"
                                "\r\n[PLMN3]\r\nmcc=310\r\nmnc=260\r\ncountry=United States\r\n"
                                "operator=T-Mobile\r\nnetwork_type=GSM\r\n");
    EXPECT_EQ(networkLine(lookupOperator({0x82, 0xF6, 0x10}, operators)),
              u"Turkcell T\u00fcrkiye GSM");
    EXPECT_EQ(networkLine(lookupOperator({0x13, 0x00, 0x62}, operators)),
              u"T-Mobile United States GSM");
}

TEST(OperatorLookup, BuiltListNamesKnownNetworks) {
    const std::filesystem::path built = PELMORA_BUILT_OPERATOR_LIST;
    if (!std::filesystem::exists(built)) {
        GTEST_SKIP() << "no operator list was built";
    }
    const auto info = lookupOperator({0x62, 0xF2, 0x10}, built);
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->found);
    EXPECT_EQ(info->country, u"Germany");
}

} // namespace
} // namespace pelmora::velmet
