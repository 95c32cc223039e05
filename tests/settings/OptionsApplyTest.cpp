#include "OptionsApply.h"
#include "FileAssociation.h"
#include "LangText.h"
#include "TemporaryHome.h"
#include "TestLanguage.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace pelmora::velmet {
namespace {

namespace fs = std::filesystem;

std::string narrow(std::u16string_view text) {
    return {text.begin(), text.end()};
}

// Records the calls instead of registering anything.
class RecordingAssociation : public FileAssociation {
public:
    RecordingAssociation() : FileAssociation("/nonexistent/libqulvio.so") {}
    bool associate(std::u16string_view extension, std::u16string_view title) override {
        calls.push_back("associate " + narrow(extension) + " " + narrow(title));
        return !refuse;
    }
    bool unassociate(std::u16string_view extension) override {
        calls.push_back("unassociate " + narrow(extension));
        return true;
    }
    std::vector<std::string> calls;
    bool refuse = false;
};

class OptionsApplyTest : public ::testing::Test {
protected:
    testing::LanguageGuard m_language{
        "[en]\nlang=English\n1=One\n[de]\nlang=Deutsch\n1=Eins\n[fr]\n", u"en"};
    pelmora::testing::TemporaryHome m_home;
    Settings m_settings;
    RecordingAssociation m_association;
};

TEST_F(OptionsApplyTest, DefaultExtension) {
    struct Case {
        const char16_t* old;
        const char16_t* entered;
        const char16_t* stored;
        const char16_t* filter;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {u".phn",
         u"abc",
         u".abc",
         u"*.phn;*.csv;*.abc",
         {"unassociate .phn", "associate .abc Pelmora 2"}},
        {u".phn", u"", u".*", u"*.phn;*.csv;*.*", {}},
        {u".phn",
         u".PHN",
         u".PHN",
         u"*.phn;*.csv",
         {"unassociate .phn", "associate .PHN Pelmora 2"}},
        {u".phn",
         u"book.x",
         u"book.x",
         u"*.phn;*.csv;*book.x",
         {"unassociate .phn", "associate book.x Pelmora 2"}},
        {u".phn", u"*.txt", u"*.txt", u"*.phn;*.csv;**.txt", {"unassociate .phn"}},
        {u".*", u"csv", u".csv", u"*.phn;*.csv", {"associate .csv Pelmora 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.entered));
        Settings settings;
        settings.defaultExtension = c.old;
        RecordingAssociation association;
        OptionsForm form = optionsForm(settings);
        form.defaultExtension = c.entered;
        std::ignore = applyOptions(settings, form, association);
        EXPECT_EQ(settings.defaultExtension, c.stored);
        EXPECT_EQ(settings.filter, c.filter);
        EXPECT_EQ(association.calls, c.calls);
    }
}

TEST_F(OptionsApplyTest, BackupExtensionAndLongTexts) {
    struct Case {
        const char16_t* entered;
        const char16_t* stored;
    };
    for (const Case& c : {Case{u"bak", u".bak"}, Case{u"", u".*"}, Case{u"x.bsf", u"x.bsf"}}) {
        OptionsForm form = optionsForm(m_settings);
        form.backupExtension = c.entered;
        std::ignore = applyOptions(m_settings, form, m_association);
        EXPECT_EQ(m_settings.backupExtension, c.stored);
    }
    OptionsForm form = optionsForm(m_settings);
    form.defaultExtension = std::u16string(400, u'e');
    std::ignore = applyOptions(m_settings, form, m_association);
    EXPECT_EQ(m_settings.defaultExtension.size(), kPatternLength);
    EXPECT_EQ(m_settings.filter.size(), kPatternLength);
}

TEST_F(OptionsApplyTest, CheckBoxesAndTheInvertedSlotBox) {
    m_settings.simWithoutHoles = true;
    OptionsForm form = optionsForm(m_settings);
    EXPECT_FALSE(form.keepEmptySlots);
    m_settings.simWithoutHoles = false;
    form = optionsForm(m_settings);
    EXPECT_TRUE(form.keepEmptySlots);

    form.keepEmptySlots = false;
    form.saveCsvAnsi = false;
    form.simReadWriteAll = false;
    form.saveOnlyAdnCsv = false;
    form.allowEmptyNameContacts = true;
    form.showButtonText = false;
    form.simSaveUpdatedOnly = false;
    form.showDeletedSms = true;
    form.toolbarMode = false;
    std::ignore = applyOptions(m_settings, form, m_association);
    EXPECT_TRUE(m_settings.simWithoutHoles);
    EXPECT_FALSE(m_settings.saveCsvAnsi);
    EXPECT_FALSE(m_settings.simReadWriteAll);
    EXPECT_FALSE(m_settings.saveOnlyAdnCsv);
    EXPECT_TRUE(m_settings.allowEmptyNameContacts);
    EXPECT_FALSE(m_settings.showButtonText);
    EXPECT_FALSE(m_settings.simSaveUpdatedOnly);
    EXPECT_TRUE(m_settings.showDeletedSms);
    EXPECT_FALSE(m_settings.toolbarMode);
    EXPECT_EQ(optionsForm(m_settings).keepEmptySlots, false);
}

TEST_F(OptionsApplyTest, TurningWindowPositionsOffForgetsThem) {
    m_settings.window(WindowKey::Main) = {1, 2, 3, 4};
    m_settings.window(WindowKey::SelectReaders) = {5, 6, 7, 8};
    OptionsForm form = optionsForm(m_settings);
    std::ignore = applyOptions(m_settings, form, m_association);
    EXPECT_EQ(m_settings.window(WindowKey::Main), (WindowRect{1, 2, 3, 4}));

    form.saveWindowPos = false;
    std::ignore = applyOptions(m_settings, form, m_association);
    EXPECT_FALSE(m_settings.saveWindowPos);
    for (const WindowRect& rect : m_settings.windows) {
        EXPECT_EQ(rect, WindowRect{});
    }
}

TEST_F(OptionsApplyTest, LanguageListAndChoice) {
    const LanguageList list = languageList(m_settings);
    EXPECT_EQ(list.names, (std::vector<std::u16string>{u"English", u"Deutsch", u"fr"}));
    EXPECT_EQ(list.current, 0);
    EXPECT_EQ(optionsForm(m_settings).language, u"English");

    OptionsForm form = optionsForm(m_settings);
    form.language = u"Deutsch";
    std::ignore = applyOptions(m_settings, form, m_association);
    EXPECT_EQ(m_settings.languageSection, u"de");
    EXPECT_EQ(std::u16string(GetLangText(1)), u"Eins");
    EXPECT_EQ(languageList(m_settings).current, 1);

    form.language = u"FR";
    std::ignore = applyOptions(m_settings, form, m_association);
    EXPECT_EQ(m_settings.languageSection, u"fr");
    EXPECT_EQ(std::u16string(GetLangText(1)), u"One");

    form.language = u"Klingon"; // not in the file: unchanged
    std::ignore = applyOptions(m_settings, form, m_association);
    EXPECT_EQ(m_settings.languageSection, u"fr");
}

TEST_F(OptionsApplyTest, LoggingIsSwitchedOnAndOff) {
    const fs::path logs = m_home.root() / "logs";
    OptionsForm form = optionsForm(m_settings);
    form.enableLog = true;
    std::ignore = applyOptions(m_settings, form, m_association);
    EXPECT_TRUE(m_settings.enableLog);
    EXPECT_TRUE(fs::exists(logs / "wenlo.log"));
    EXPECT_TRUE(fs::exists(logs / "wenlo_dll.log"));

    form.enableLog = false;
    std::ignore = applyOptions(m_settings, form, m_association);
    EXPECT_FALSE(m_settings.enableLog);
    EXPECT_FALSE(fs::exists(logs / "wenlo.log"));
    EXPECT_FALSE(fs::exists(logs / "wenlo_dll.log"));
}

TEST_F(OptionsApplyTest, RefusedRegistrationIsReportedAndTheFormStillApplied) {
    m_association.refuse = true;
    OptionsForm form = optionsForm(m_settings);
    form.defaultExtension = u"abc";
    form.backupExtension = u"bak";
    EXPECT_TRUE(applyOptions(m_settings, form, m_association).associationFailed);
    EXPECT_EQ(m_settings.defaultExtension, u".abc");
    EXPECT_EQ(m_settings.backupExtension, u".bak");
    form.defaultExtension = u"";
    EXPECT_FALSE(applyOptions(m_settings, form, m_association).associationFailed);
}

} // namespace
} // namespace pelmora::velmet
