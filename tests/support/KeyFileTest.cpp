#include "KeyFile.h"
#include "DesktopEntryText.h"
#include "FileTypeNames.h"

#include <gtest/gtest.h>

namespace pelmora::qulvio {
namespace {

TEST(KeyFile, EditsKeepEveryOtherLine) {
    const char* text = "# user comment\n"
                       "[Default Applications]\n"
                       "text/plain=gedit.desktop\n"
                       "  # indented comment\n"
                       "Image/PNG = eog.desktop;gimp.desktop;\n"
                       "\n"
                       "[Added Associations]\r\n"
                       "text/csv=calc.desktop;\r\n";
    KeyFile file = KeyFile::parse(text);
    EXPECT_EQ(file.value("Default Applications", "Image/PNG"), "eog.desktop;gimp.desktop;");
    EXPECT_EQ(file.value("Default Applications", "image/png"), std::nullopt); // case matters
    EXPECT_EQ(file.value("Added Associations", "text/csv"), "calc.desktop;");

    file.setValue("Default Applications", "application/x-a", "a.desktop");
    file.setValue("Default Applications", "text/plain", "other.desktop");
    EXPECT_TRUE(file.removeKey("Added Associations", "text/csv"));
    EXPECT_FALSE(file.removeKey("Added Associations", "text/csv"));
    file.setValue("Removed Associations", "text/x", "x.desktop");
    EXPECT_EQ(file.text(), "# user comment\n"
                           "[Default Applications]\n"
                           "text/plain=other.desktop\n"
                           "  # indented comment\n"
                           "Image/PNG = eog.desktop;gimp.desktop;\n"
                           "application/x-a=a.desktop\n"
                           "\n"
                           "[Added Associations]\n"
                           "\n"
                           "[Removed Associations]\n"
                           "text/x=x.desktop\n");
    EXPECT_EQ(KeyFile::parse(file.text()).text(), file.text());
}

TEST(KeyFile, AGroupAddedToAnEmptyFileStandsAlone) {
    KeyFile file;
    file.setValue("Desktop Entry", "Type", "Application");
    EXPECT_EQ(file.text(), "[Desktop Entry]\nType=Application\n");
    EXPECT_EQ(file.keys("Desktop Entry"), std::vector<std::string>{"Type"});
    EXPECT_FALSE(file.hasGroup("Other"));
}

TEST(DesktopEntryText, ExecQuotesTheProgramAndEscapesItTwice) {
    struct Case {
        const char* program;
        const char* prefix;
        const char* expected;
    };
    const Case cases[] = {
        {"/opt/pelmora/Velmet", "", R"("/opt/pelmora/Velmet" %f)"},
        {"/home/a b/Velmet", "--open", R"("/home/a b/Velmet" --open %f)"},
        {"/x/$HOME`id`/V\"q", "", R"("/x/\\$HOME\\`id\\`/V\\"q" %f)"},
        {"/x/back\\slash/100%", "-p 5%", R"("/x/back\\\\slash/100%%" -p 5%% %f)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(execLine(c.program, c.prefix), c.expected);
    }
    EXPECT_EQ(execLine("/x/new\nline", ""), std::nullopt);
    EXPECT_EQ(execLine("/x/V", "a\tb"), std::nullopt);
    EXPECT_EQ(execLine("", ""), std::nullopt);
}

TEST(DesktopEntryText, ValuesAndListsRoundTrip) {
    const std::string texts[] = {"plain", " leading blank", "back\\slash", "two\nlines\tand\rtab",
                                 "trailing \\"};
    for (const std::string& text : texts) {
        EXPECT_EQ(unescapeValue(escapeValue(text)), text);
    }
    EXPECT_EQ(escapeValue(" a\\b"), "\\sa\\\\b");
    EXPECT_EQ(splitList("a.desktop;;b.desktop"),
              (std::vector<std::string>{"a.desktop", "b.desktop"}));
    EXPECT_EQ(joinList({"a", "b"}), "a;b;");
    EXPECT_TRUE(splitList("").empty());
}

TEST(FileTypeNames, ExtensionsAndIdentifiers) {
    EXPECT_EQ(normalizeExtension("phn"), ".phn");
    EXPECT_EQ(normalizeExtension(".PHN"), ".PHN");
    EXPECT_EQ(normalizeExtension("tar.gz"), ".tar.gz");
    for (const char* bad : {"", ".", "*", ".p*", "a/b", "a;b", "x\n", "[ab]", "a\\b", "?"}) {
        EXPECT_EQ(normalizeExtension(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(defaultIdentifier(".phn"), "PHN.Document");
    EXPECT_EQ(mimeTypeFor("Pelmora 2.Document"), "application/x-pelmora-2.document");
    EXPECT_EQ(mimeTypeFor("PHN.Document"), "application/x-phn.document");
    EXPECT_EQ(desktopFileFor("My_App/\xC3\xA9t\xC3\xA9.Doc"), "my-app--t-.doc.desktop");
    EXPECT_EQ(packageFileFor("PHN.Document"), "qulvio-phn.document.xml");
    EXPECT_TRUE(sameExtension(".PHN", ".phn"));
    EXPECT_FALSE(sameExtension(".phn", ".phm"));
}

} // namespace
} // namespace pelmora::qulvio
