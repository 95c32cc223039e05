#include "PrivateProfile.h"
#include "CodePage.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace pelmora::platform {
namespace {

class PrivateProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeBytes(m_folder / "test.ini", "[Options]\r\n"
                                                "Title=  \"Pelmora 2\"  \r\n"
                                                "Count=42\r\n"
                                                "Flag\r\n"
                                                "[Colors]\r\n"
                                                "Back=FFFFFF\r\n"
                                                "[Empty]\r\n");
        m_file = fromUtf8((m_folder / "test.ini").string());
    }
    [[nodiscard]] const char16_t* file() const { return m_file.c_str(); }
    [[nodiscard]] std::u16string missingFile() const {
        return fromUtf8((m_folder / "missing.ini").string());
    }
    // Reads with a buffer of the given size; returns the result and the
    // buffer contents up to the size.
    std::pair<uint32_t, std::u16string> read(const char16_t* section, const char16_t* key,
                                             const char16_t* def, uint32_t size) {
        std::array<char16_t, 64> buffer;
        buffer.fill(u'#');
        const uint32_t result =
            GetPrivateProfileString(section, key, def, buffer.data(), size, file());
        return {result, std::u16string(buffer.data(), size)};
    }

    test::TempFolder m_folder;
    std::u16string m_file;
};

TEST_F(PrivateProfileTest, ReadsValuesAndDefaults) {
    using namespace std::string_literals;
    const struct {
        const char16_t* section;
        const char16_t* key;
        const char16_t* def;
        uint32_t size;
        uint32_t result;
        std::u16string buffer;
    } cases[] = {
        {u"options", u"TITLE", u"x", 12, 9, u"Pelmora 2\0##"s},
        {u"Options", u"Title", u"x", 10, 9, u"Pelmora 2\0"s},
        {u"Options", u"Title", u"x", 9, 8, u"Pelmora \0"s}, // cut: size - 1
        {u"Options", u"Title", u"x", 1, 0, u"\0"s},
        {u"Options", u"Title", u"x", 0, 0, u""s},             // nothing touched
        {u"Options", u"Nope", u"def  ", 8, 3, u"def\0####"s}, // default less trailing blanks
        {u"Options", u"Nope", nullptr, 3, 0, u"\0##"s},
        {u"Options", u"Flag", u"d", 3, 1, u"d\0#"s}, // key without "="
        {u"Nowhere", u"Count", u"d", 3, 1, u"d\0#"s},
        {u"Options", u"Nope", u"long default", 5, 4, u"long\0"s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read(c.section, c.key, c.def, c.size), std::pair(c.result, c.buffer))
            << "size " << c.size;
    }
}

TEST_F(PrivateProfileTest, ListsSectionsAndKeysAsDoubleNulLists) {
    using namespace std::string_literals;
    const struct {
        const char16_t* section;
        uint32_t size;
        uint32_t result;
        std::u16string buffer;
    } cases[] = {
        // "Options\0Colors\0Empty\0" is 21 characters.
        {nullptr, 24, 21, u"Options\0Colors\0Empty\0\0##"s.substr(0, 24)},
        {nullptr, 22, 21, u"Options\0Colors\0Empty\0\0"s},
        {nullptr, 21, 19, u"Options\0Colors\0Empt\0\0"s}, // cut: size - 2
        {nullptr, 10, 8, u"Options\0\0\0"s},
        {nullptr, 2, 0, u"\0\0"s},
        {nullptr, 0, 0, u""s},
        {u"OPTIONS", 20, 17, u"Title\0Count\0Flag\0\0##"s},
        {u"Options", 10, 8, u"Title\0Co\0\0"s},
        {u"Empty", 4, 0, u"\0\0##"s},
        {u"Nowhere", 4, 0, u"\0\0##"s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read(c.section, nullptr, u"def", c.size), std::pair(c.result, c.buffer))
            << "size " << c.size;
    }
}

TEST_F(PrivateProfileTest, MissingFileReadsAsEmpty) {
    char16_t buffer[8];
    EXPECT_EQ(GetPrivateProfileString(u"S", u"k", u"dflt", buffer, 8, missingFile().c_str()), 4u);
    EXPECT_EQ(std::u16string(buffer), u"dflt");
    EXPECT_EQ(GetPrivateProfileString(nullptr, nullptr, u"dflt", buffer, 8, missingFile().c_str()),
              0u);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 0);
    EXPECT_EQ(GetPrivateProfileInt(u"S", u"k", -7, missingFile().c_str()), uint32_t(-7));
}

TEST_F(PrivateProfileTest, ReadsIntegers) {
    const struct {
        const char16_t* text;
        int32_t expected;
    } cases[] = {
        {u"42", 42},   {u" 42 ", 42},   {u"-5", -5},        {u"+5", 5},
        {u"0x1F", 31}, {u"0XfF", 255},  {u"12abc", 12},     {u"abc", 0},
        {u"", 99},     {u"\"17\"", 17}, {u"4294967297", 1}, {u"0x", 0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(WritePrivateProfileString(u"N", u"v", c.text, file()), 1);
        EXPECT_EQ(static_cast<int32_t>(GetPrivateProfileInt(u"N", u"v", 99, file())), c.expected)
            << toUtf8(c.text);
    }
    EXPECT_EQ(GetPrivateProfileInt(u"N", u"absent", 99, file()), 99u);
    EXPECT_EQ(GetPrivateProfileInt(u"Options", u"Flag", 5, file()), 5u);
}

TEST_F(PrivateProfileTest, WritesReplacesAndDeletes) {
    char16_t buffer[64];
    ASSERT_EQ(WritePrivateProfileString(u"options", u"count", u"7", file()), 1);
    ASSERT_EQ(WritePrivateProfileString(u"New", u"key", u"value", file()), 1);
    ASSERT_EQ(WritePrivateProfileString(u"Colors", nullptr, nullptr, file()), 1);
    ASSERT_EQ(WritePrivateProfileString(u"Options", u"Title", nullptr, file()), 1);
    const std::vector<uint8_t> expected = test::bytesOf("[Options]\r\n"
                                                        "Count=7\r\n"
                                                        "Flag\r\n"
                                                        "[Empty]\r\n"
                                                        "[New]\r\n"
                                                        "key=value\r\n");
    EXPECT_EQ(test::readBytes(m_folder / "test.ini"), expected);
    EXPECT_EQ(GetPrivateProfileString(nullptr, nullptr, nullptr, buffer, 64, file()), 18u);

    // Deleting what is not there neither fails nor creates a file.
    const std::u16string missing = missingFile();
    EXPECT_EQ(WritePrivateProfileString(u"S", u"k", nullptr, missing.c_str()), 1);
    EXPECT_EQ(WritePrivateProfileString(u"S", nullptr, nullptr, missing.c_str()), 1);
    EXPECT_FALSE(std::filesystem::exists(m_folder / "missing.ini"));

    EXPECT_EQ(WritePrivateProfileString(nullptr, nullptr, nullptr, file()), 1);
    EXPECT_EQ(WritePrivateProfileString(nullptr, u"k", u"v", file()), 0);
    EXPECT_EQ(test::readBytes(m_folder / "test.ini"), expected);
}

TEST_F(PrivateProfileTest, CreatesAMissingFile) {
    const std::u16string missing = missingFile();
    ASSERT_EQ(WritePrivateProfileString(u"Options", u"LANG", u"en", missing.c_str()), 1);
    EXPECT_EQ(test::readBytes(m_folder / "missing.ini"), test::bytesOf("[Options]\r\nLANG=en\r\n"));
}

TEST_F(PrivateProfileTest, ExistingUtf16FileKeepsItsEncoding) {
    const std::string wide("\xFF\xFE[\0S\0]\0\r\0\n\0", 12);
    test::writeBytes(m_folder / "wide.ini", wide);
    const std::u16string name = fromUtf8((m_folder / "wide.ini").string());
    ASSERT_EQ(WritePrivateProfileString(u"S", u"k", u"v", name.c_str()), 1);
    EXPECT_EQ(test::readBytes(m_folder / "wide.ini"),
              test::bytesOf(wide + std::string("k\0=\0v\0\r\0\n\0", 10)));
}

TEST_F(PrivateProfileTest, StructsRoundTripAndRefuseBadValues) {
    const uint8_t rect[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 255};
    ASSERT_EQ(WritePrivateProfileStruct(u"Options", u"Rect", rect, sizeof rect, file()), 1);
    uint8_t back[16] = {};
    ASSERT_EQ(GetPrivateProfileStruct(u"options", u"rect", back, sizeof back, file()), 1);
    EXPECT_EQ(std::memcmp(rect, back, sizeof rect), 0);

    uint8_t untouched[8];
    std::memset(untouched, 0x5A, sizeof untouched);
    EXPECT_EQ(GetPrivateProfileStruct(u"Options", u"Rect", untouched, 8, file()), 0);
    EXPECT_EQ(GetPrivateProfileStruct(u"Options", u"Count", untouched, 8, file()), 0);
    EXPECT_EQ(GetPrivateProfileStruct(u"Options", u"None", untouched, 8, file()), 0);
    for (uint8_t b : untouched) {
        EXPECT_EQ(b, 0x5A);
    }

    ASSERT_EQ(WritePrivateProfileStruct(u"Options", u"Rect", nullptr, 0, file()), 1);
    EXPECT_EQ(GetPrivateProfileStruct(u"Options", u"Rect", back, sizeof back, file()), 0);
}

} // namespace
} // namespace pelmora::platform
