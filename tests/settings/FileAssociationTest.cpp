#include "FileAssociation.h"
#include "Folders.h"
#include "LangText.h"
#include "TemporaryHome.h"
#include "TestLanguage.h"

#include <gtest/gtest.h>

#include <fstream>

namespace pelmora::velmet {
namespace {

namespace fs = std::filesystem;

class FileAssociationTest : public ::testing::Test {
protected:
    testing::LanguageGuard m_language{
        "[en]\n186=Register %s for %s?\n187=Phone book\n188=Open it\n", u"en"};
    pelmora::testing::TemporaryHome m_home;
};

TEST_F(FileAssociationTest, AcceptedAssociationIsNotOfferedAgain) {
    EXPECT_TRUE(shouldOfferAssociation(u".phn", u"Pelmora 2", m_home.dataHome()));
    EXPECT_EQ(associationQuestion(u".phn", u"Pelmora 2"), u"Register .phn for Pelmora 2?");

    FileAssociation association;
    ASSERT_TRUE(association.associate(u".phn", u"Pelmora 2"));
    EXPECT_TRUE(extensionBelongsToProgram(u".phn", u"Pelmora 2", m_home.dataHome()));
    EXPECT_TRUE(extensionBelongsToProgram(u"PHN", u"Pelmora 2", m_home.dataHome()));
    EXPECT_FALSE(shouldOfferAssociation(u".phn", u"Pelmora 2", m_home.dataHome()));
    EXPECT_FALSE(extensionBelongsToProgram(u".phn", u"Other", m_home.dataHome()));

    const fs::path entry = m_home.dataHome() / "applications" / "pelmora-2.document.desktop";
    ASSERT_TRUE(fs::exists(entry));
    std::ifstream in(entry);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("\nName=Open it\n"), std::string::npos);
    EXPECT_NE(text.find("\nComment=Phone book\n"), std::string::npos);
    EXPECT_NE(text.find("\nIcon=pelmora\n"), std::string::npos);

    // Re-association unregisters first: still one registration.
    ASSERT_TRUE(association.associate(u".phn", u"Pelmora 2"));
    EXPECT_FALSE(shouldOfferAssociation(u".phn", u"Pelmora 2", m_home.dataHome()));

    ASSERT_TRUE(association.unassociate(u".phn"));
    EXPECT_TRUE(shouldOfferAssociation(u".phn", u"Pelmora 2", m_home.dataHome()));
    EXPECT_FALSE(fs::exists(entry));
}

TEST_F(FileAssociationTest, TypeRegisteredSystemWideIsOursUnlessTheUserChoseAnother) {
    const auto writeGlobs = [](const fs::path& dataFolder, const std::string& type) {
        fs::create_directories(dataFolder / "mime");
        std::ofstream(dataFolder / "mime" / "globs2") << "50:" << type << ":*.phn\n";
    };
    const fs::path system = m_home.root() / "system";
    setenv("XDG_DATA_DIRS", system.c_str(), 1);
    writeGlobs(system, "application/x-pelmora-2.document");
    EXPECT_FALSE(shouldOfferAssociation(u".phn", u"Pelmora 2", m_home.dataHome()));

    writeGlobs(m_home.dataHome(), "application/x-other");
    EXPECT_TRUE(shouldOfferAssociation(u".phn", u"Pelmora 2", m_home.dataHome()));
    unsetenv("XDG_DATA_DIRS");
}

TEST_F(FileAssociationTest, PatternsAreNeverOffered) {
    EXPECT_FALSE(shouldOfferAssociation(u".*", u"Pelmora 2", m_home.dataHome()));
    EXPECT_FALSE(shouldOfferAssociation(u"*.phn", u"Pelmora 2", m_home.dataHome()));
}

TEST_F(FileAssociationTest, MissingLibraryIsSkipped) {
    FileAssociation association(m_home.root() / "libnothing.so");
    EXPECT_FALSE(association.associate(u".phn", u"Pelmora 2"));
    EXPECT_FALSE(association.unassociate(u".phn"));
    EXPECT_FALSE(fs::exists(m_home.dataHome() / "applications"));
}

} // namespace
} // namespace pelmora::velmet
