#include "ProfileDocument.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace pelmora::platform {
namespace {

using test::bytesOf;
using Strings = std::vector<std::u16string>;

ProfileDocument parseText(std::string_view text) {
    return ProfileDocument::parse(bytesOf(text));
}

std::string asText(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

std::vector<uint8_t> utf16le(std::u16string_view text) {
    std::vector<uint8_t> bytes{0xFF, 0xFE};
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

// As a text editor or another program leaves such a file: comments, blank
// lines, a duplicate section and key, keys without "=", mixed line ends.
constexpr std::string_view kForeignFile = "; written by hand\r\n"
                                          "orphan=before any section\r\n"
                                          "[Options]\r\n"
                                          "  Width =  640  \n"
                                          "; Height=1\r\n"
                                          "Title=\"  Pelmora  \"\r\n"
                                          "Single='x'\n"
                                          "Mixed=\"x'\n"
                                          "Quote=\"\n"
                                          "Flag\r\n"
                                          "Width=800\r\n"
                                          "empty=\r\n"
                                          "\r\n"
                                          "[ Colors ]\r\n"
                                          "back=FFFFFF\r\n"
                                          "[options]\r\n"
                                          "Width=1024\r\n"
                                          "Extra=1\r\n"
                                          "[Last]";

TEST(ProfileDocument, ReadsFilesWrittenByOtherPrograms) {
    const ProfileDocument doc = parseText(kForeignFile);
    const struct {
        std::u16string_view section, key;
        std::optional<std::u16string> value;
    } cases[] = {
        {u"Options", u"Width", u"640"},         // trimmed; first of duplicate keys
        {u"OPTIONS", u"width", u"640"},         // case-insensitive names
        {u"Options", u"Title", u"  Pelmora  "}, // one pair of quotes removed, inside kept
        {u"Options", u"Single", u"x"},
        {u"Options", u"Mixed", u"\"x'"},
        {u"Options", u"Quote", u"\""},
        {u"Options", u"empty", u""},
        {u"Options", u"Flag", std::nullopt},     // a key without "=" has no value
        {u"Options", u"; Height", std::nullopt}, // comments are no keys
        {u"Options", u"Height", std::nullopt},
        {u"Options", u"Extra", std::nullopt}, // the duplicate section is shadowed
        {u"Colors", u"back", u"FFFFFF"},      // blanks inside brackets trimmed
        {u"", u"orphan", std::nullopt},       // lines before any section belong to none
        {u"Missing", u"Width", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(doc.value(c.section, c.key), c.value)
            << std::string(c.section.begin(), c.section.end()) << "/"
            << std::string(c.key.begin(), c.key.end());
    }
    EXPECT_EQ(doc.sectionNames(), (Strings{u"Options", u"Colors", u"Last"}));
    EXPECT_EQ(doc.keyNames(u"options"),
              (Strings{u"Width", u"Title", u"Single", u"Mixed", u"Quote", u"Flag", u"empty"}));
    EXPECT_TRUE(doc.keyNames(u"Last").empty());
    EXPECT_TRUE(doc.hasSection(u"LAST"));
    EXPECT_FALSE(doc.hasSection(u"Nothing"));
    EXPECT_EQ(doc.encoding(), TextEncoding::Ansi);
}

TEST(ProfileDocument, UntouchedDocumentSavesTheSameLinesWithCrLf) {
    const ProfileDocument doc = parseText(kForeignFile);
    std::string expected;
    for (char c : kForeignFile) {
        if (c == '\n' && (expected.empty() || expected.back() != '\r')) {
            expected += '\r';
        }
        expected += c;
    }
    EXPECT_EQ(asText(doc.serialize()), expected + "\r\n");
}

TEST(ProfileDocument, NonAsciiNamesMatchIgnoringCase) {
    ProfileDocument doc;
    doc.setValue(u"\u041D\u0410\u0421\u0422\u0420\u041E\u0419\u041A\u0418", u"\u00C9T\u00C9", u"1");
    EXPECT_EQ(
        doc.value(u"\u043D\u0430\u0441\u0442\u0440\u043E\u0439\u043A\u0438", u"\u00E9t\u00E9"),
        u"1");
    doc.setValue(u"\u0141\u00D3D\u0179", u"\u0391", u"2");
    EXPECT_EQ(doc.value(u"\u0142\u00F3d\u017A", u"\u03B1"), u"2");
}

TEST(ProfileDocument, ChangesKeepTheRestOfTheFile) {
    ProfileDocument doc = parseText("[A]\r\n"
                                    "; note\r\n"
                                    "  one = 1\r\n"
                                    "two=2\r\n"
                                    "\r\n"
                                    "[B]\r\n"
                                    "x=y\r\n");
    doc.setValue(u"a", u"TWO", u"22");       // replaced in place, name spelling kept
    doc.setValue(u"A", u"three", u"3");      // appended after the last key, before the blank
    doc.setValue(u"C", u"new", u" spaced "); // new section at the end
    doc.removeKey(u"B", u"X");
    EXPECT_EQ(asText(doc.serialize()), "[A]\r\n"
                                       "; note\r\n"
                                       "  one = 1\r\n"
                                       "two=22\r\n"
                                       "three=3\r\n"
                                       "\r\n"
                                       "[B]\r\n"
                                       "[C]\r\n"
                                       "new= spaced \r\n");
    EXPECT_EQ(doc.value(u"C", u"new"), u"spaced");
    EXPECT_EQ(doc.value(u"A", u"one"), u"1");
}

TEST(ProfileDocument, RemovalsReachDuplicates) {
    ProfileDocument doc = parseText("[S]\r\nk=1\r\nK=2\r\nFlag\r\n[s]\r\nk=3\r\n[T]\r\nt=1\r\n");
    doc.setValue(u"S", u"Flag", u"on"); // a bare key gains a value
    EXPECT_EQ(doc.value(u"S", u"flag"), u"on");
    doc.removeKey(u"S", u"k");
    EXPECT_EQ(doc.value(u"S", u"k"), std::nullopt);
    doc.removeSection(u"s");
    EXPECT_FALSE(doc.hasSection(u"S"));
    EXPECT_EQ(asText(doc.serialize()), "[T]\r\nt=1\r\n");
}

TEST(ProfileDocument, LineBreaksCannotInjectLines) {
    ProfileDocument doc;
    doc.setValue(u"S", u"name", u"evil\r\n[Options]\nWidth=1");
    const ProfileDocument reread = ProfileDocument::parse(doc.serialize());
    EXPECT_EQ(reread.sectionNames(), Strings{u"S"});
    EXPECT_EQ(reread.value(u"S", u"name"), u"evil  [Options] Width=1");

    // A file's section whose name holds a carriage return is written into as
    // it is; a new section's name is the one it is read back with.
    ProfileDocument read = parseText("[\rA]\r\nx=1\r\n");
    read.setValue(u"\rA", u"y", u"2");
    read.setValue(u"\rB ", u"z", u"3");
    const ProfileDocument back = ProfileDocument::parse(read.serialize());
    EXPECT_EQ(back.sectionNames(), (Strings{u"\rA", u"B"}));
    EXPECT_EQ(back.sectionNames(), read.sectionNames());
    EXPECT_EQ(back.value(u"\rA", u"y"), u"2");
    EXPECT_EQ(back.value(u"B", u"z"), u"3");
}

TEST(ProfileDocument, StructValuesCarryAChecksum) {
    ProfileDocument doc;
    const std::vector<uint8_t> bytes{0x01, 0xAB, 0xFF, 0x00};
    doc.setStructValue(u"S", u"rect", bytes);
    EXPECT_EQ(doc.value(u"S", u"rect"), u"01ABFF00AB"); // 1+0xAB+0xFF = 0x1AB
    EXPECT_EQ(doc.structValue(u"S", u"rect", 4), bytes);
    EXPECT_EQ(doc.structValue(u"S", u"rect"), bytes);

    const struct {
        std::u16string_view text;
        size_t size;
        bool valid;
    } cases[] = {
        {u"01abff00ab", 4, true}, // lower case is read too
        {u"01ABFF00AB", 3, false}, {u"01ABFF00AB", 5, false}, {u"01ABFF00AC", 4, false},
        {u"01ABFF00A", 4, false},  {u"01ABFG00AB", 4, false}, {u"00", 0, true},
        {u"", 0, false},
    };
    for (const auto& c : cases) {
        doc.setValue(u"S", u"v", c.text);
        EXPECT_EQ(doc.structValue(u"S", u"v", c.size).has_value(), c.valid)
            << std::string(c.text.begin(), c.text.end()) << " size " << c.size;
    }
    EXPECT_EQ(doc.structValue(u"S", u"missing", 0), std::nullopt);
}

TEST(ProfileDocument, ByteOrderMarksChooseAndKeepTheEncoding) {
    const std::u16string text = u"[\u0416]\r\nname=\u00E9\u20AC\U0001F600\r\n";
    const ProfileDocument wide = ProfileDocument::parse(utf16le(text));
    EXPECT_EQ(wide.encoding(), TextEncoding::Utf16LE);
    EXPECT_EQ(wide.value(u"\u0436", u"NAME"), u"\u00E9\u20AC\U0001F600");
    EXPECT_EQ(wide.serialize(), utf16le(text));

    const std::string utf8 = "\xEF\xBB\xBF[S]\r\nname=\xC3\xA9\r\n";
    const ProfileDocument narrow = parseText(utf8);
    EXPECT_EQ(narrow.encoding(), TextEncoding::Utf8);
    EXPECT_EQ(narrow.value(u"S", u"name"), u"\u00E9");
    EXPECT_EQ(asText(narrow.serialize()), utf8);

    // LF-only UTF-16LE, as some editors write it.
    const ProfileDocument lf = ProfileDocument::parse(utf16le(u"[S]\nk=v\n"));
    EXPECT_EQ(lf.value(u"S", u"k"), u"v");
}

TEST(ProfileDocument, AnsiFilesUseTheCodePageUnlessItWouldLoseText) {
    // The suite runs with PELMORA_CODEPAGE=1252.
    ProfileDocument doc = parseText("[S]\r\nname=Caf\xE9\r\n");
    EXPECT_EQ(doc.value(u"S", u"name"), u"Caf\u00E9");
    doc.setValue(u"S", u"euro", u"\u20AC");
    EXPECT_EQ(asText(doc.serialize()), "[S]\r\nname=Caf\xE9\r\neuro=\x80\r\n");

    doc.setValue(u"S", u"name", u"\u0416\u0438\u0437\u043D\u044C");
    const std::vector<uint8_t> saved = doc.serialize();
    ASSERT_GE(saved.size(), 2u);
    EXPECT_EQ(saved[0], 0xFF);
    EXPECT_EQ(saved[1], 0xFE);
    EXPECT_EQ(ProfileDocument::parse(saved).value(u"S", u"name"),
              u"\u0416\u0438\u0437\u043D\u044C");
}

TEST(ProfileDocument, OddOrBrokenInputIsHarmless) {
    const std::string cases[] = {
        std::string("\xFF\xFE[\0S\0]\0\n", 9), // UTF-16LE with a stray last byte
        "[unclosed\r\nk=v\r\n",                // header without "]"
        std::string("[S]\r\nk=a\0b\r\n", 12),  // NUL inside a value
        "\xEF\xBB\xBF",                        // BOM only
        "\r\n\r\n\n",
        "=\r\n[S]\r\n=novalue\r\n",
    };
    for (const std::string& text : cases) {
        const ProfileDocument doc = parseText(text);
        EXPECT_EQ(ProfileDocument::parse(doc.serialize()).sectionNames(), doc.sectionNames());
    }
    EXPECT_EQ(parseText("[unclosed\r\nk=v").value(u"unclosed", u"k"), u"v");
    EXPECT_EQ(parseText("[S]\r\n=novalue").value(u"S", u""), u"novalue");
}

TEST(ProfileDocument, LargeBooksReadBack) {
    ProfileDocument doc;
    constexpr int kEntries = 20000;
    for (int i = 1; i <= kEntries; ++i) {
        const std::string n = std::to_string(i);
        const std::u16string key(n.begin(), n.end());
        doc.setValue(u"ADN", u"n" + key, u"Name " + key);
        doc.setValue(u"ADN", u"t" + key, u"+4930" + key);
    }
    const ProfileDocument reread = ProfileDocument::parse(doc.serialize());
    EXPECT_EQ(reread.keyNames(u"ADN").size(), 2u * kEntries);
    EXPECT_EQ(reread.value(u"adn", u"N12345"), u"Name 12345");
    EXPECT_EQ(reread.value(u"ADN", u"t20000"), u"+493020000");
}

} // namespace
} // namespace pelmora::platform
