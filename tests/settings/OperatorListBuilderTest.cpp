#include "OperatorListBuilder.h"
#include "JsonValue.h"
#include "XmlDocument.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pelmora::plmn {
namespace {

constexpr std::string_view kCountries = R"({"3166-1": [
  {"alpha_2": "DE", "alpha_3": "DEU", "name": "Germany", "numeric": "276"},
  {"alpha_2": "TW", "name": "Taiwan, Province of China", "common_name": "Taiwan"},
  {"alpha_2": "TR", "name": "T\u00fcrkiye"},
  {"alpha_2": "XX", "name": "Emoji \ud83d\ude00 land"}
]})";

constexpr std::string_view kProviders = R"(<?xml version="1.0" encoding='utf-8'?>
<!-- header comment -->
<!DOCTYPE serviceproviders SYSTEM "serviceproviders.2.dtd">
<serviceproviders format="2.0">
<country code="de">
  <name>Deutschland (from the provider list)</name>
  <provider>
    <name xml:lang="de">Telekom DE</name>
    <name>Telekom</name>
    <gsm>
      <network-id mcc="262" mnc="01"/>
      <network-id mcc="262" mnc="06"/>
      <apn value="internet"><name>Web</name></apn>
    </gsm>
  </provider>
  <provider>
    <name>Reseller   &amp;
          Friends</name>
    <gsm><network-id mcc="262" mnc="01"/><network-id mcc="262" mnc="02"/></gsm>
  </provider>
  <provider primary="true">
    <name>Vodafone</name>
    <gsm><network-id mcc="262" mnc="02"/></gsm>
  </provider>
  <provider>
    <name>Broken codes</name>
    <gsm><network-id mcc="26" mnc="01"/><network-id mcc="262" mnc="1"/>
         <network-id mcc="262" mnc="0x1"/><network-id mcc="262"/></gsm>
  </provider>
  <provider>
    <name>CDMA only</name>
    <cdma><sid value="1"/></cdma>
  </provider>
</country>
<country code="us">
  <name>United States</name>
  <provider><name><![CDATA[AT&T]]></name><gsm><network-id mcc="310" mnc="410"/></gsm></provider>
  <provider><name>Reseller</name><gsm><network-id mcc="310" mnc="260"/></gsm></provider>
  <provider><name>T-Mobile</name>
    <gsm><network-id mcc="310" mnc="260"/><network-id mcc="310" mnc="200"/></gsm></provider>
</country>
<country code="tw">
  <name>Taiwan</name>
  <provider><name>Chunghwa</name><gsm><network-id mcc="466" mnc="92"/></gsm></provider>
</country>
</serviceproviders>
)";

TEST(OperatorListBuilder, CountryNamesPreferTheCommonNameAndDecodeEscapes) {
    const auto names = readCountryNames(kCountries);
    EXPECT_EQ(names.at("DE"), "Germany");
    EXPECT_EQ(names.at("TW"), "Taiwan");
    EXPECT_EQ(names.at("TR"), "T\xC3\xBCrkiye");
    EXPECT_EQ(names.at("XX"), "Emoji \xF0\x9F\x98\x80 land");
}

TEST(OperatorListBuilder, OneEntryPerCodeInCodeOrder) {
    const auto entries = readOperators(kProviders, readCountryNames(kCountries));
    struct Expected {
        const char* mcc;
        const char* mnc;
        const char* country;
        const char* name;
    };
    const Expected expected[] = {
        {"262", "01", "Germany", "Telekom"},  // as many codes: the first listed wins
        {"262", "02", "Germany", "Vodafone"}, // the primary provider wins
        {"262", "06", "Germany", "Telekom"},
        {"310", "200", "United States", "T-Mobile"}, // country not in the table
        {"310", "260", "United States", "T-Mobile"}, // more codes than the reseller
        {"310", "410", "United States", "AT&T"},
        {"466", "92", "Taiwan", "Chunghwa"},
    };
    ASSERT_EQ(entries.size(), std::size(expected));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].mcc, expected[i].mcc);
        EXPECT_EQ(entries[i].mnc, expected[i].mnc);
        EXPECT_EQ(entries[i].country, expected[i].country);
        EXPECT_EQ(entries[i].name, expected[i].name);
        EXPECT_EQ(entries[i].networkType, "GSM");
    }
}

TEST(OperatorListBuilder, NamesAreCollapsedToOneLine) {
    const char* xml = R"(<serviceproviders><country code="zz"><name>Z</name>
        <provider><name>
          "Reseller	&amp;
          Friends" </name><gsm><network-id mcc="999" mnc="99"/></gsm></provider>
        </country></serviceproviders>)";
    const auto entries = readOperators(xml, {});
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "Reseller & Friends");
    EXPECT_EQ(entries[0].country, "Z");
}

TEST(OperatorListBuilder, WritesNumberedSectionsAsUtf8WithByteOrderMark) {
    const std::vector<OperatorEntry> entries = {
        {"262", "01", "Germany", "Telekom", "GSM"},
        {"286", "01", "T\xC3\xBCrkiye", "Turkcell", "GSM"},
    };
    const std::string text = writeOperatorList(entries);
    ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(text.find("\r\n[PLMN1]\r\nmcc=262\r\nmnc=01\r\ncountry=Germany\r\n"
                        "operator=Telekom\r\nnetwork_type=GSM\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("[PLMN2]\r\nmcc=286\r\nmnc=01\r\ncountry=T\xC3\xBCrkiye\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("[PLMN3]"), std::string::npos);
    EXPECT_EQ(text.find("[PLMN0]"), std::string::npos);
}

TEST(OperatorListBuilder, MalformedInputIsRejected) {
    const char* badXml[] = {
        "", "<a>", "<a></b>", "<a x=1/>", "<a/><b/>", "<a><!-- open", "<a x=\"1/>",
    };
    for (const char* xml : badXml) {
        SCOPED_TRACE(xml);
        EXPECT_THROW((void)parseXml(xml), std::runtime_error);
    }
    std::string deep;
    for (int i = 0; i < 200; ++i) {
        deep += "<a>";
    }
    EXPECT_THROW((void)parseXml(deep), std::runtime_error);

    const char* badJson[] = {"", "{", "[1,]", "{\"a\" 1}", "\"abc", "\"\\q\"", "\"\\u12\"", "nul"};
    for (const char* json : badJson) {
        SCOPED_TRACE(json);
        EXPECT_THROW((void)parseJson(json), std::runtime_error);
    }
}

TEST(OperatorListBuilder, CharacterReferencesAreDecodedOrKept) {
    const XmlElement root = parseXml(
        "<a t=\"&lt;&#65;&#x42;&apos;&quot;&gt;\">&amp;&unknown;&#0;&#xD800;&#x1F600;</a>");
    ASSERT_NE(root.attribute("t"), nullptr);
    EXPECT_EQ(*root.attribute("t"), "<AB'\">");
    EXPECT_EQ(root.text, "&&unknown;&#0;&#xD800;\xF0\x9F\x98\x80");
}

} // namespace
} // namespace pelmora::plmn
