#include "CodePage.h"
#include "LangText.h"
#include "ProfileDocument.h"
#include "SettingsFile.h"
#include "TemporaryHome.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>

namespace pelmora::velmet {
namespace {

namespace fs = std::filesystem;

std::u16string u16(const fs::path& path) {
    return platform::fromUtf8(path.string());
}

void writeFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_places.program = m_home.root() / "prog" / "Velmet";
        m_places.settingsFile = m_home.root() / "prog" / "Velmet.ini";
        m_places.documents = m_home.root() / "docs";
        m_places.dataFolder = m_home.root() / "share";
        fs::create_directories(programFolder());
        fs::create_directories(m_places.documents);
        // A first start takes the language from the locale: fix it.
        if (const char* locale = std::getenv("LC_ALL")) {
            m_savedLocale = locale;
        }
        setenv("LC_ALL", "C", 1);
    }
    void TearDown() override {
        useLanguage(nullptr, u"en");
        if (m_savedLocale) {
            setenv("LC_ALL", m_savedLocale->c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
    }

    [[nodiscard]] fs::path programFolder() const { return m_places.program.parent_path(); }
    void writeSettings(const std::string& options) const {
        writeFile(m_places.settingsFile, "[Options]\r\n" + options);
    }
    [[nodiscard]] Settings load() const { return loadSettings(m_places); }

    pelmora::testing::TemporaryHome m_home;
    SettingsPlaces m_places;
    std::optional<std::string> m_savedLocale;
};

TEST_F(SettingsTest, MissingFileGivesEveryDefault) {
    writeFile(programFolder() / "plmn.ini", "");
    const Settings s = load();
    Settings expected;
    expected.settingsFile = m_places.settingsFile;
    expected.languageFile = m_places.settingsFile.parent_path() / "lang.ini";
    expected.backupFolder = u16(m_places.documents);
    expected.operatorList = u16(programFolder() / "plmn.ini");
    expected.resourceFile = u16(programFolder() / "velmet_res.rcc");
    expected.printLogo = u16(m_places.program);
    expected.initialFolder = u16(programFolder()) + u"/";
    EXPECT_EQ(s, expected);

    // Spot checks of the documented defaults, so that a wrong default in the
    // record itself shows too.
    EXPECT_EQ(s.title, u"Pelmora 2");
    EXPECT_EQ(s.languageSection, u"en");
    EXPECT_EQ(s.listSeparator, u",");
    EXPECT_TRUE(s.saveWindowPos);
    EXPECT_TRUE(s.toolbarMode);
    EXPECT_FALSE(s.enableLog);
    EXPECT_TRUE(s.simWithoutHoles);
    EXPECT_FALSE(s.font.has_value());
    EXPECT_EQ(s.buttonColor, 0xC83232u);
    EXPECT_EQ(s.buttonFont.face(), u"MS Sans Serif");
    EXPECT_EQ(s.filter, u"*.phn;*.csv");
    EXPECT_EQ(s.defaultExtension, u".phn");
    EXPECT_EQ(s.backupExtension, u".bsf");
    EXPECT_EQ(s.imageExtensions, u"*.ico;*.bmp");
    EXPECT_EQ(s.capacities.nextel, 600);
    EXPECT_EQ(s.capacities.sms, 30);
    EXPECT_EQ(s.icons.readIcon, 19);
    EXPECT_EQ(s.icons.settingsIcon, 23);
    ASSERT_EQ(s.imageNames.size(), 57u);
    EXPECT_EQ(s.imageNames.front(),
              (std::pair<std::u16string, std::u16string>{u"NEW_SMALL", u"newSmall.png"}));
    EXPECT_EQ(s.imageNames[19],
              (std::pair<std::u16string, std::u16string>{u"REDO_DIS", u"redoDis.png"}));
    EXPECT_EQ(s.imageNames.back(),
              (std::pair<std::u16string, std::u16string>{u"FOCUS", u"focus.png"}));
    for (const WindowRect& rect : s.windows) {
        EXPECT_EQ(rect, WindowRect{});
    }
}

TEST_F(SettingsTest, EveryKeyRoundTrips) {
    const fs::path operators = m_home.root() / "lists" / "operators.ini";
    const fs::path resources = m_home.root() / "res" / "icons.rcc";
    writeFile(operators, "");
    writeFile(resources, "");

    Settings s = load();
    s.languageFileName = u"sprachen.ini";
    s.languageSection = u"de";
    s.backupFolder = u"/media/backups";
    s.operatorList = u16(operators);
    s.showPin = true;
    s.matchCase = true;
    s.matchWord = true;
    s.searchText = u"M\u00fcller = \"x\"";
    s.replaceText = u"\u041c\u0438\u0440";
    s.listSeparator = u";";
    s.saveWindowPos = true;
    for (std::size_t i = 0; i < kWindowKeyCount; ++i) {
        const auto n = static_cast<int32_t>(i);
        s.windows[i] = {-n, 10 * n, 100 + n, INT32_MAX - n};
    }
    s.resourceFile = u16(resources);
    s.icons = {31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42,
               43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54};
    for (auto& [key, name] : s.imageNames) {
        name = key + u".bmp";
    }
    FontSpec font;
    font.height = -13;
    font.weight = 700;
    font.italic = 1;
    font.charSet = 204;
    font.setFace(u"DejaVu Sans Mono");
    s.font = font;
    s.color = 0x00123456;
    s.printSource = false;
    s.printProgramName = false;
    s.printDate = false;
    s.printPages = false;
    s.printTitle = u"Telefonbuch";
    s.printLogo = u"/usr/share/pixmaps/logo.png";
    s.initialFolder = u"/home/user/books/";
    s.filter = u"*.phn;*.csv;*.abc";
    s.defaultExtension = u".abc";
    s.backupExtension = u".bak";
    s.imageExtensions = u"*.png";
    s.capacities = {1, 2, 3, 4, 5, 6, 7, 65535};
    s.buttonFont.setFace(u"Sans");
    s.buttonColor = 0x00ABCDEF;
    s.showButtonText = false;
    s.saveCsvAnsi = false;
    s.simReadWriteAll = false;
    s.simSaveUpdatedOnly = false;
    s.allowEmptyNameContacts = true;
    s.saveOnlyAdnCsv = false;
    s.enableLog = false; // switching logs on is covered on its own
    s.simWithoutHoles = false;
    s.showDeletedSms = true;
    ASSERT_EQ(saveSettings(s), std::nullopt);

    Settings loaded = load();
    EXPECT_EQ(loaded.languageFile, programFolder() / "sprachen.ini");
    loaded.languageFile = s.languageFile;
    loaded.newDocumentName = s.newDocumentName;
    EXPECT_EQ(loaded, s);

    // Booleans are "1"/"0"; the never-read key is written as "0".
    const auto file = platform::ProfileDocument::load(m_places.settingsFile);
    EXPECT_EQ(file.value(u"Options", u"SHOW_PIN"), u"1");
    EXPECT_EQ(file.value(u"Options", u"SAVE_CSV_ANSI"), u"0");
    EXPECT_EQ(file.value(u"Options", u"_SHOW_WIN_GUI_"), u"0");
    EXPECT_EQ(file.value(u"Options", u"NLEN"), u"1");
}

TEST_F(SettingsTest, SavingKeepsTheRestOfTheFile) {
    writeFile(m_places.settingsFile, "; kept\r\n[Window]\r\nx=1\r\n[Options]\r\nOWN_KEY=7\r\n"
                                     "FONT=00\r\n_SHOW_WIN_GUI_=1\r\n");
    const Settings s = load();
    ASSERT_EQ(saveSettings(s), std::nullopt);
    const auto file = platform::ProfileDocument::load(m_places.settingsFile);
    EXPECT_EQ(file.value(u"Window", u"x"), u"1");
    EXPECT_EQ(file.value(u"Options", u"OWN_KEY"), u"7");
    EXPECT_EQ(file.value(u"Options", u"FONT"), u"00"); // no list font: not written
    EXPECT_EQ(file.value(u"Options", u"_SHOW_WIN_GUI_"), u"0");
    EXPECT_EQ(readFile(m_places.settingsFile).substr(0, 8), "; kept\r\n");
}

TEST_F(SettingsTest, BadStructuresAreIgnored) {
    const std::string goodRect = "01000000020000000300000004000000"
                                 "0A";
    writeSettings("MAINWND=" + goodRect +
                  "\r\n"
                  "PINWND=01000000020000000300000004000000"
                  "0B\r\n" // bad checksum
                  "CPINWND=010000000200000003000000"
                  "06\r\n" // 12 bytes
                  "UPINWND=" +
                  goodRect +
                  "00\r\n" // one byte more
                  "FONT=" +
                  std::string(184, '0') +
                  "01\r\n"                   // bad checksum
                  "COLOR=1234\r\n"           // too short
                  "BTN_COLOR=0102030406\r\n" // sum is 0x0A
                  "BTN_FONT=zz\r\n");
    const Settings s = load();
    EXPECT_EQ(s.window(WindowKey::Main), (WindowRect{1, 2, 3, 4}));
    EXPECT_EQ(s.window(WindowKey::Pin), WindowRect{});
    EXPECT_EQ(s.window(WindowKey::ChangePin), WindowRect{});
    EXPECT_EQ(s.window(WindowKey::UnblockPin), WindowRect{});
    EXPECT_FALSE(s.font.has_value());
    EXPECT_EQ(s.color, 0u);
    EXPECT_EQ(s.buttonColor, 0xC83232u);
    EXPECT_EQ(s.buttonFont, Settings::defaultButtonFont());

    writeSettings("BTN_COLOR=010203040A\r\n");
    EXPECT_EQ(load().buttonColor, 0x04030201u);
}

TEST_F(SettingsTest, SpecialRulesOfSingleKeys) {
    struct Case {
        const char* options;
        void (*check)(const Settings&);
    };
    const Case cases[] = {
        {"LANGSECTION=deutsch\r\n",
         [](const Settings& s) { EXPECT_EQ(s.languageSection, u"deut"); }},
        {"ENABLE_LOG=2\r\n", [](const Settings& s) { EXPECT_FALSE(s.enableLog); }},
        {"ENABLE_LOG=-1\r\n", [](const Settings& s) { EXPECT_FALSE(s.enableLog); }},
        {"SHOW_PIN=2\r\n", [](const Settings& s) { EXPECT_TRUE(s.showPin); }},
        {"SHOW_PIN=0x10\r\nMATCH_CASE=yes\r\nMATCH_WORD=\r\nSAVEWINDOWPOS=\r\n",
         [](const Settings& s) {
             EXPECT_TRUE(s.showPin);
             EXPECT_FALSE(s.matchCase);
             EXPECT_FALSE(s.matchWord); // empty: the default
             EXPECT_TRUE(s.saveWindowPos);
         }},
        {"NLEN=-5\r\nADNLEN=99999999\r\nSMSLEN=250\r\n",
         [](const Settings& s) {
             EXPECT_EQ(s.capacities.nextel, 0);
             EXPECT_EQ(s.capacities.adn, kMaxCapacity);
             EXPECT_EQ(s.capacities.sms, 250);
         }},
        {"LIST_SEPARATOR=;;;;;;\r\nDEFEXT=\r\n",
         [](const Settings& s) {
             EXPECT_EQ(s.listSeparator, u";;;;");
             EXPECT_EQ(s.defaultExtension, u"");
         }},
        {"PLMN=plmn.ini\r\nRES=\r\n", // relative, empty: the program folder
         [](const Settings& s) {
             EXPECT_EQ(s.operatorList, u"/prog/plmn.ini");
             EXPECT_EQ(s.resourceFile, u"/prog/velmet_res.rcc");
         }},
        {"PLMN=/nowhere/plmn.ini\r\nRES=/nowhere/res.rcc\r\n",
         [](const Settings& s) {
             EXPECT_EQ(s.operatorList, u"/prog/plmn.ini");
             EXPECT_EQ(s.resourceFile, u"/prog/velmet_res.rcc");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        writeSettings(c.options);
        Settings s = load();
        // Paths below the temporary root are compared without it.
        const std::u16string root = u16(m_home.root());
        for (std::u16string* path : {&s.operatorList, &s.resourceFile}) {
            if (path->starts_with(root)) {
                path->erase(0, root.size());
            }
        }
        c.check(s);
    }

    const std::string longText(300, 'x');
    writeSettings("SEARCH_STR=" + longText + "\r\nBACKUP=" + std::string(900, 'b') + "\r\n");
    const Settings s = load();
    EXPECT_EQ(s.searchText.size(), kShortPathLength);
    EXPECT_EQ(s.backupFolder.size(), kPathLength);
}

TEST_F(SettingsTest, LoggingOnAtLoadSwitchesTheLogsOn) {
    const fs::path logs = m_home.root() / "logs";
    writeSettings("ENABLE_LOG=2\r\n");
    EXPECT_FALSE(load().enableLog);
    EXPECT_FALSE(fs::exists(logs / "wenlo.log"));

    writeSettings("ENABLE_LOG=1\r\n");
    EXPECT_TRUE(load().enableLog);
    EXPECT_TRUE(fs::exists(logs / "wenlo.log"));
    EXPECT_TRUE(fs::exists(logs / "wenlo_dll.log"));
}

TEST_F(SettingsTest, RectanglesAreReadOnlyWhenRememberedButAlwaysWritten) {
    writeSettings("SAVEWINDOWPOS=0\r\nMAINWND=01000000020000000300000004000000"
                  "0A\r\n");
    Settings s = load();
    EXPECT_EQ(s.window(WindowKey::Main), WindowRect{});
    ASSERT_EQ(saveSettings(s), std::nullopt);
    const auto file = platform::ProfileDocument::load(m_places.settingsFile);
    for (const char16_t* key : kWindowKeyNames) {
        EXPECT_EQ(file.value(u"Options", key), std::u16string(34, u'0'))
            << std::string(key, key + std::char_traits<char16_t>::length(key));
    }
}

TEST_F(SettingsTest, LanguageFileIsFoundBesideSettingsThenProgramThenDataFolder) {
    m_places.settingsFile = m_home.root() / "config" / "Velmet.ini";
    writeFile(m_places.dataFolder / "lang.ini", "[en]\n142=Data\n");
    EXPECT_EQ(load().languageFile, m_places.dataFolder / "lang.ini");
    EXPECT_EQ(load().newDocumentName, u"Data");
    writeFile(programFolder() / "lang.ini", "[en]\n142=Program\n");
    EXPECT_EQ(load().languageFile, programFolder() / "lang.ini");
    writeFile(m_places.settingsFile.parent_path() / "lang.ini",
              "[en]\n142=Beside\n[de]\n142=Neben\n");
    EXPECT_EQ(load().newDocumentName, u"Beside");

    writeSettings("LANGSECTION=de\r\n");
    EXPECT_EQ(load().newDocumentName, u"Neben");
    EXPECT_EQ(languageSection(), u"de");
    EXPECT_EQ(std::u16string(GetLangText(142)), u"Neben");
}

TEST_F(SettingsTest, FirstStartTakesTheLanguageOfTheLocale) {
    writeFile(programFolder() / "lang.ini", "[en]\n142=Untitled\n[de]\n142=Unbenannt\n");
    setenv("LC_ALL", "de_AT.UTF-8", 1);
    EXPECT_EQ(load().languageSection, u"de");
    EXPECT_EQ(load().newDocumentName, u"Unbenannt");
    writeSettings("LANGSECTION=en\r\n");
    EXPECT_EQ(load().languageSection, u"en");
}

TEST_F(SettingsTest, OperatorListAndIconBundleFallBackToTheDataFolder) {
    const struct {
        const char* name;
        std::u16string Settings::*member;
    } shipped[] = {{"plmn.ini", &Settings::operatorList},
                   {"velmet_res.rcc", &Settings::resourceFile}};
    for (const auto& file : shipped) {
        writeFile(m_places.dataFolder / file.name, "");
        EXPECT_EQ(load().*file.member, u16(m_places.dataFolder / file.name)) << file.name;
        writeFile(programFolder() / file.name, "");
        EXPECT_EQ(load().*file.member, u16(programFolder() / file.name)) << file.name;
    }
}

TEST_F(SettingsTest, SaveFailsWithoutHarm) {
    Settings s = load();
    s.settingsFile = m_home.root() / "missing" / "folder" / "Velmet.ini";
    EXPECT_NE(saveSettings(s), std::nullopt);
    EXPECT_FALSE(fs::exists(s.settingsFile));
}

TEST(SettingsPlaces, SettingsFileIsNamedAfterTheProgram) {
    const SettingsPlaces places = SettingsPlaces::forRunningProgram();
    EXPECT_EQ(places.settingsFile.filename(), places.program.stem().string() + ".ini");
    EXPECT_FALSE(places.dataFolder.empty());
}

} // namespace
} // namespace pelmora::velmet
