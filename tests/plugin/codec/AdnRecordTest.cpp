#include "codec/AdnRecord.h"
#include "Hex.h"

#include <gtest/gtest.h>

namespace brontel::codec {
namespace {

using test::hex;
using test::hexText;
using test::padded;

TEST(AdnRecord, NameAndNumberInATwentyEightByteRecord) {
    EncodedAdnRecord out = buildAdnRecord(28, u"Mike", u"+44123");
    EXPECT_EQ(hexText(out.bytes), hexText(padded(hex("4D 69 6B 65"), 14)) + " " +
                                      hexText(padded(hex("04 91 44 21 F3"), 14)));
    EXPECT_FALSE(out.didNotFit);
    const std::optional<AdnRecord> read = parseAdnRecord(out.bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name, u"Mike");
    EXPECT_EQ(read->number, u"+44123");
    EXPECT_FALSE(read->extensionRecord);
}

TEST(AdnRecord, EmptyEntryIsAllFF) {
    EncodedAdnRecord out = buildAdnRecord(30, u"", u"");
    EXPECT_EQ(out.bytes, padded({}, 30));
    const std::optional<AdnRecord> read = parseAdnRecord(out.bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name, u"");
    EXPECT_EQ(read->number, u"");
}

// Records of 14 bytes carry a number without a name; the writer stores numbers
// there, so reading them empty would lose every number of such a book.
TEST(AdnRecord, FourteenByteRecordsHoldANumberShorterOnesNothing) {
    const std::optional<AdnRecord> read =
        parseAdnRecord(hex("04 91 44 21 F3 FF FF FF FF FF FF FF FF FF"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name, u"");
    EXPECT_EQ(read->number, u"+44123");
    EXPECT_FALSE(parseAdnRecord(hex("04 91 44 21 F3 FF FF FF FF FF FF FF FF")));
    EXPECT_TRUE(buildAdnRecord(13, u"", u"1").didNotFit);
}

TEST(AdnRecord, LongNumberPointsAtItsExtensionRecord) {
    EncodedAdnRecord out = buildAdnRecord(28, u"Long", u"123456789012345678901234");
    EXPECT_EQ(out.extensionBcd, hex("21 43"));
    setAdnExtensionRecord(out.bytes, 3);
    EXPECT_EQ(out.bytes.back(), 3);
    EXPECT_EQ(out.bytes[26], 0xFF); // capability/configuration
    const std::optional<AdnRecord> read = parseAdnRecord(out.bytes);
    EXPECT_EQ(read->number, u"12345678901234567890");
    EXPECT_EQ(read->extensionRecord, 3);
}

TEST(AdnRecord, NameLimits) {
    EncodedAdnRecord longName = buildAdnRecord(255, std::u16string(241, u'a'), u"");
    EXPECT_TRUE(longName.didNotFit);
    EXPECT_EQ(parseAdnRecord(longName.bytes)->name, std::u16string(240, u'a'));

    EncodedAdnRecord cut = buildAdnRecord(18, u"Alexander", u"1");
    EXPECT_TRUE(cut.didNotFit);
    EXPECT_EQ(parseAdnRecord(cut.bytes)->name, u"Alex");
}

} // namespace
} // namespace brontel::codec
