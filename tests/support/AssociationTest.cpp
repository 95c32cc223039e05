// The support library as the editor uses it: loaded by file name, called
// through its C exports, checked with the desktop's own tools.

#include "Folders.h"
#include "KeyFile.h"
#include "Qulvio.h"
#include "TemporaryHome.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace pelmora::qulvio {
namespace {

namespace fs = std::filesystem;

std::string run(const std::string& command) {
    std::string output;
    if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        std::array<char, 256> buffer{};
        while (std::fgets(buffer.data(), buffer.size(), pipe)) {
            output += buffer.data();
        }
        ::pclose(pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == ' ')) {
        output.pop_back();
    }
    return output;
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// Every file below the folder with its contents.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (const auto& item : fs::recursive_directory_iterator(folder, error)) {
        if (item.is_regular_file()) {
            files[fs::relative(item.path(), folder).string()] = readFile(item.path());
        }
    }
    return files;
}

class Association : public ::testing::Test {
protected:
    void SetUp() override {
        // Kept mapped, as the editor loads it: Qt's dependencies allocate on
        // loading and never free on unloading.
        m_library =
            dlopen((platform::programFolder() / "libqulvio.so").c_str(), RTLD_NOW | RTLD_NODELETE);
        ASSERT_NE(m_library, nullptr) << dlerror();
        m_associateEx = reinterpret_cast<AssociateExFunction>(dlsym(m_library, "AssociateEx"));
        m_associate = reinterpret_cast<AssociateFunction>(dlsym(m_library, "Associate"));
        m_unassociate = reinterpret_cast<UnAssociateFunction>(dlsym(m_library, "UnAssociate"));
        ASSERT_TRUE(m_associateEx && m_associate && m_unassociate);
    }
    void TearDown() override {
        if (m_library) {
            dlclose(m_library);
        }
    }

    [[nodiscard]] std::string fileType(const std::string& name) const {
        const fs::path file = m_home.root() / name;
        writeFile(file, "Name,Phone\r\n");
        return run("xdg-mime query filetype '" + file.string() + "'");
    }
    [[nodiscard]] fs::path desktopEntry(const std::string& name) const {
        return m_home.dataHome() / "applications" / name;
    }
    [[nodiscard]] std::string entryValue(const std::string& name, const std::string& key) const {
        std::error_code error;
        return KeyFile::load(desktopEntry(name), error).value("Desktop Entry", key).value_or("");
    }

    testing::TemporaryHome m_home;
    void* m_library = nullptr;
    AssociateExFunction m_associateEx = nullptr;
    AssociateFunction m_associate = nullptr;
    UnAssociateFunction m_unassociate = nullptr;
};

TEST_F(Association, ExtensionWithoutIdentifierRegistersItsDocumentType) {
    ASSERT_EQ(m_associateEx("phn", nullptr, nullptr, nullptr, nullptr, nullptr, -1), 1);

    EXPECT_EQ(fileType("book.phn"), "application/x-phn.document");
    EXPECT_EQ(fileType("BOOK.PHN"), "application/x-phn.document");
    EXPECT_EQ(run("xdg-mime query default application/x-phn.document"), "phn.document.desktop");

    const std::string program = platform::programPath().string();
    const std::string name = platform::programPath().filename().string();
    EXPECT_EQ(entryValue("phn.document.desktop", "Exec"), "\"" + program + "\" %f");
    EXPECT_EQ(entryValue("phn.document.desktop", "Name"), "Open with " + name);
    EXPECT_EQ(entryValue("phn.document.desktop", "Comment"), name + " Document");
    EXPECT_EQ(entryValue("phn.document.desktop", "Icon"), "pelmora");
    EXPECT_EQ(entryValue("phn.document.desktop", "MimeType"), "application/x-phn.document;");
    const std::string package =
        readFile(m_home.dataHome() / "mime/packages/qulvio-phn.document.xml");
    EXPECT_NE(package.find("<comment>" + name + " Document</comment>"), std::string::npos);
    EXPECT_EQ(run("desktop-file-validate '" + desktopEntry("phn.document.desktop").string() + "'"),
              "");
}

TEST_F(Association, GivenTextsArriveInTheAnsiCodePageAndAreWrittenAsUtf8) {
    setenv("PELMORA_CODEPAGE", "1252", 1);
    ASSERT_EQ(m_associateEx(".phn", "Pelmora 2.Document",
                            "\xD6"
                            "ffnen mit Pelmora",
                            "--book", "Telefonbuch & \"Notizen\" <1>", nullptr, -1),
              1);
    EXPECT_EQ(fileType("a.phn"), "application/x-pelmora-2.document");
    EXPECT_EQ(run("xdg-mime query default application/x-pelmora-2.document"),
              "pelmora-2.document.desktop");
    EXPECT_EQ(entryValue("pelmora-2.document.desktop", "Name"), "\xC3\x96"
                                                                "ffnen mit Pelmora");
    EXPECT_EQ(entryValue("pelmora-2.document.desktop", "Exec"),
              "\"" + platform::programPath().string() + "\" --book %f");
    EXPECT_NE(readFile(m_home.dataHome() / "mime/packages/qulvio-pelmora-2.document.xml")
                  .find("<comment>Telefonbuch &amp; &quot;Notizen&quot; &lt;1&gt;</comment>"),
              std::string::npos);
}

TEST_F(Association, IconFileFallsBackToTheProgramsIcon) {
    const fs::path icon = m_home.root() / "book.png";
    writeFile(icon, "png");
    ASSERT_EQ(m_associateEx("aaa", nullptr, nullptr, nullptr, nullptr, icon.c_str(), 0), 1);
    EXPECT_EQ(entryValue("aaa.document.desktop", "Icon"), icon.string());

    const fs::path missing = m_home.root() / "missing.ico";
    ASSERT_EQ(m_associateEx("bbb", nullptr, nullptr, nullptr, nullptr, missing.c_str(), 0), 1);
    EXPECT_EQ(entryValue("bbb.document.desktop", "Icon"), "pelmora");

    ASSERT_EQ(m_associate("ccc", nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(entryValue("ccc.document.desktop", "Icon"), "pelmora");
}

TEST_F(Association, BadArgumentsFail) {
    EXPECT_EQ(m_associateEx(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, -1), 0);
    EXPECT_EQ(m_associateEx("", nullptr, nullptr, nullptr, nullptr, nullptr, -1), 0);
    EXPECT_EQ(m_associateEx("*", nullptr, nullptr, nullptr, nullptr, nullptr, -1), 0);
    EXPECT_EQ(m_associateEx("phn", nullptr, nullptr, "a\nb", nullptr, nullptr, -1), 0);
    EXPECT_EQ(m_unassociate(nullptr), 0);
    EXPECT_EQ(m_unassociate(""), 0);
    EXPECT_EQ(m_unassociate("a/b"), 1);
}

TEST_F(Association, UnregisteredExtensionChangesNothing) {
    ASSERT_EQ(m_associateEx("phn", nullptr, nullptr, nullptr, nullptr, nullptr, -1), 1);
    writeFile(m_home.configHome() / "mimeapps.list",
              readFile(m_home.configHome() / "mimeapps.list") + "# the user's own line\n");
    const auto before = snapshot(m_home.root());
    EXPECT_EQ(m_unassociate("xyz"), 1);
    EXPECT_EQ(m_unassociate(".XYZ"), 1);
    EXPECT_EQ(snapshot(m_home.root()), before);
}

TEST_F(Association, AnotherProgramsRegistrationIsNeverTouched) {
    // Another program's type for ".csv" and ".sht", its desktop entry, and its default.
    writeFile(m_home.dataHome() / "mime/packages/other-sheet.xml",
              "<?xml version=\"1.0\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"application/x-other-sheet\"><comment>Sheet</comment>"
              "<glob pattern=\"*.csv\"/><glob pattern=\"*.sht\"/></mime-type>\n</mime-info>\n");
    ASSERT_EQ(
        run("update-mime-database '" + (m_home.dataHome() / "mime").string() + "' && echo ok"),
        "ok");
    writeFile(desktopEntry("other-sheet.desktop"),
              "[Desktop Entry]\nType=Application\nName=Sheet\nExec=sheet %f\n"
              "MimeType=application/x-other-sheet;\n");
    writeFile(m_home.configHome() / "mimeapps.list",
              "[Default Applications]\napplication/x-other-sheet=other-sheet.desktop\n");
    const auto before = snapshot(m_home.root());

    EXPECT_EQ(m_unassociate(".csv"), 1);
    EXPECT_EQ(m_unassociate("sht"), 1);
    EXPECT_EQ(snapshot(m_home.root()), before);
    EXPECT_EQ(fileType("table.sht"), "application/x-other-sheet");
    EXPECT_EQ(run("xdg-mime query default application/x-other-sheet"), "other-sheet.desktop");

    // Registering ".phn" and removing it again leaves the other program's files as they were.
    ASSERT_EQ(m_associateEx("phn", "Pelmora 2.Document", nullptr, nullptr, nullptr, nullptr, -1),
              1);
    EXPECT_EQ(m_unassociate("phn"), 1);
    EXPECT_EQ(readFile(desktopEntry("other-sheet.desktop")),
              before.at("data/applications/other-sheet.desktop"));
    EXPECT_EQ(readFile(m_home.dataHome() / "mime/packages/other-sheet.xml"),
              before.at("data/mime/packages/other-sheet.xml"));
    EXPECT_EQ(run("xdg-mime query default application/x-other-sheet"), "other-sheet.desktop");
    EXPECT_FALSE(fs::exists(desktopEntry("pelmora-2.document.desktop")));
    EXPECT_EQ(fileType("table.sht"), "application/x-other-sheet");
}

TEST_F(Association, ADesktopEntryOfAnotherProgramIsNotOverwritten) {
    writeFile(desktopEntry("phn.document.desktop"),
              "[Desktop Entry]\nType=Application\nName=Theirs\n");
    EXPECT_EQ(m_associateEx("phn", nullptr, nullptr, nullptr, nullptr, nullptr, -1), 0);
    EXPECT_EQ(readFile(desktopEntry("phn.document.desktop")),
              "[Desktop Entry]\nType=Application\nName=Theirs\n");
}

TEST_F(Association, ExtensionsShareAnIdentifierAndMoveBetweenIdentifiers) {
    ASSERT_EQ(m_associateEx("phn", "Pelmora 2.Document", nullptr, nullptr, nullptr, nullptr, -1),
              1);
    ASSERT_EQ(m_associateEx("abc", "Pelmora 2.Document", nullptr, nullptr, nullptr, nullptr, -1),
              1);
    EXPECT_EQ(fileType("a.phn"), "application/x-pelmora-2.document");
    EXPECT_EQ(fileType("a.abc"), "application/x-pelmora-2.document");
    EXPECT_EQ(entryValue("pelmora-2.document.desktop", "X-Qulvio-Extensions"), ".phn;.abc;");

    EXPECT_EQ(m_unassociate("PHN"), 1);
    EXPECT_NE(fileType("a.phn"), "application/x-pelmora-2.document");
    EXPECT_EQ(fileType("a.abc"), "application/x-pelmora-2.document");
    EXPECT_EQ(run("xdg-mime query default application/x-pelmora-2.document"),
              "pelmora-2.document.desktop");

    // Registering ".abc" under another identifier takes it from the first.
    ASSERT_EQ(m_associateEx("abc", "Other.Document", nullptr, nullptr, nullptr, nullptr, -1), 1);
    EXPECT_EQ(fileType("a.abc"), "application/x-other.document");
    EXPECT_FALSE(fs::exists(desktopEntry("pelmora-2.document.desktop")));
    EXPECT_FALSE(fs::exists(m_home.dataHome() / "mime/packages/qulvio-pelmora-2.document.xml"));
    EXPECT_EQ(readFile(m_home.configHome() / "mimeapps.list").find("pelmora-2"), std::string::npos);

    EXPECT_EQ(m_unassociate(".abc"), 1);
    EXPECT_TRUE(fs::is_empty(m_home.dataHome() / "applications") ||
                !fs::exists(desktopEntry("other.document.desktop")));
    EXPECT_EQ(run("xdg-mime query default application/x-other.document"), "");
}

TEST_F(Association, CallsAreTracedInTheLibrarysOwnLog) {
    const fs::path log = m_home.root() / "logs" / "orvane_about.log";
    writeFile(log, "3\r\n");
    ASSERT_EQ(m_associateEx("phn", nullptr, nullptr, nullptr, nullptr, nullptr, -1), 1);
    EXPECT_EQ(m_unassociate("abc"), 1);
    const std::string text = readFile(log);
    EXPECT_NE(text.find("libqulvio.so"), std::string::npos);
    EXPECT_NE(text.find("extension \"phn\""), std::string::npos);
    EXPECT_NE(text.find("extension \"abc\""), std::string::npos);
}

TEST(QulvioLibrary, ExportsOnlyItsFiveFunctions) {
    const fs::path library = platform::programFolder() / "libqulvio.so";
    const std::string symbols = run("nm -D --defined-only '" + library.string() +
                                    "' | awk '$2 ~ /^[TWDBVR]$/ {print $3}' | LC_ALL=C sort");
    EXPECT_EQ(symbols, "AboutDialog\nAssociate\nAssociateEx\nUnAssociate\nset_lang_ini");
}

TEST(QulvioLibrary, AboutBoxNeedsALanguageFileAndTheCallersApplication) {
    void* library =
        dlopen((platform::programFolder() / "libqulvio.so").c_str(), RTLD_NOW | RTLD_NODELETE);
    ASSERT_NE(library, nullptr);
    const auto setLangIni = reinterpret_cast<SetLangIniFunction>(dlsym(library, "set_lang_ini"));
    const auto aboutDialog = reinterpret_cast<AboutDialogFunction>(dlsym(library, "AboutDialog"));
    ASSERT_NE(setLangIni, nullptr);
    ASSERT_NE(aboutDialog, nullptr);
    EXPECT_EQ(setLangIni(nullptr, "en"), 0);
    EXPECT_EQ(setLangIni("", "en"), 0);
    EXPECT_EQ(setLangIni("/nonexistent/lang.ini", nullptr), 1);
    // No QApplication in this process: nothing to show the box in.
    EXPECT_EQ(aboutDialog(nullptr), 0);
    dlclose(library);
}

} // namespace
} // namespace pelmora::qulvio
