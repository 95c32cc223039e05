#include "AtomicFile.h"
#include "CodePage.h"
#include "PrivateProfile.h"
#include "ProfileDocument.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmora::platform {
namespace {

constexpr std::string_view kOriginal = "[Options]\r\nWidth=640\r\nHeight=480\r\n";

class ProfileSaveTest : public ::testing::Test {
protected:
    void SetUp() override { test::writeBytes(target(), kOriginal); }
    [[nodiscard]] std::filesystem::path target() const { return m_folder / "Velmet.ini"; }

    // A document much larger than the original, so that a cut-off write
    // could not pass for the original by accident.
    [[nodiscard]] static ProfileDocument bigDocument() {
        ProfileDocument doc;
        for (int i = 0; i < 2000; ++i) {
            doc.setValue(u"Book", fromUtf8(std::to_string(i)), u"some contact name");
        }
        return doc;
    }

    void expectOriginalAlone() const {
        EXPECT_EQ(test::readBytes(target()), test::bytesOf(kOriginal));
        EXPECT_EQ(m_folder.entries(), std::vector<std::string>{"Velmet.ini"});
    }

    test::TempFolder m_folder;
};

TEST_F(ProfileSaveTest, SaveReplacesTheFileAndKeepsItsPermissions) {
    ASSERT_EQ(::chmod(target().c_str(), 0640), 0);
    ProfileDocument doc = ProfileDocument::load(target());
    doc.setValue(u"Options", u"Width", u"800");
    ASSERT_EQ(doc.save(target()), std::nullopt);
    EXPECT_EQ(test::readBytes(target()), test::bytesOf("[Options]\r\nWidth=800\r\nHeight=480\r\n"));
    struct stat st {};
    ASSERT_EQ(::stat(target().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(m_folder.entries(), std::vector<std::string>{"Velmet.ini"});
}

TEST_F(ProfileSaveTest, TargetsThatAreNoWritableRegularFileAreRefusedAndLeftAlone) {
    const auto fifo = m_folder / "pipe.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/null", m_folder / "device.ini");
    std::filesystem::create_directory(m_folder / "folder.ini");
    ASSERT_EQ(::chmod(target().c_str(), 0444), 0);
    const struct {
        std::filesystem::path path;
        const char* reason;
    } cases[] = {
        {fifo, "is not a regular file"},
        {m_folder / "device.ini", "is not a regular file"},
        {m_folder / "folder.ini", "is not a regular file"},
        {target(), "is read-only"},
    };
    for (const auto& c : cases) {
        const auto error = bigDocument().save(c.path);
        ASSERT_TRUE(error) << c.path;
        EXPECT_NE(error->find(c.reason), std::string::npos) << *error;
    }
    EXPECT_TRUE(std::filesystem::is_symlink(m_folder / "device.ini"));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(test::readBytes(target()), test::bytesOf(kOriginal));
}

TEST_F(ProfileSaveTest, SaveThroughASymbolicLinkReplacesItsTarget) {
    std::filesystem::create_symlink("Velmet.ini", m_folder / "link.ini");
    ProfileDocument doc = ProfileDocument::load(m_folder / "link.ini");
    doc.setValue(u"Options", u"Width", u"1");
    ASSERT_EQ(doc.save(m_folder / "link.ini"), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_symlink(m_folder / "link.ini"));
    EXPECT_EQ(ProfileDocument::load(target()).value(u"Options", u"Width"), u"1");
}

TEST_F(ProfileSaveTest, ShortWriteLeavesTheOriginalByteIdentical) {
    // A file-size limit makes write() stop short and then fail, as a full
    // disk would.
    const bool failedCleanly = test::inChild([this] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return false;
        }
        const auto error = bigDocument().save(target());
        return error.has_value() && error->find("cannot write") != std::string::npos;
    });
    EXPECT_TRUE(failedCleanly);
    expectOriginalAlone();
}

TEST_F(ProfileSaveTest, UnwritableFolderLeavesTheOriginalByteIdentical) {
    ASSERT_EQ(::chmod(m_folder.path().c_str(), 0555), 0);
    // Root ignores permission bits: try as an ordinary user instead.
    const bool failedCleanly = test::inChild([this] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return false;
        }
        const std::u16string file = fromUtf8(target().string());
        return bigDocument().save(target()).has_value() &&
               WritePrivateProfileString(u"Options", u"Width", u"1", file.c_str()) == 0;
    });
    EXPECT_TRUE(failedCleanly);
    ASSERT_EQ(::chmod(m_folder.path().c_str(), 0755), 0);
    expectOriginalAlone();
}

TEST_F(ProfileSaveTest, UnreadableFileIsNotOverwritten) {
    // A folder where a file is expected: it cannot be read, and a write must
    // not replace what it could not read.
    std::filesystem::create_directory(m_folder / "dir.ini");
    std::error_code error;
    (void)ProfileDocument::load(m_folder / "dir.ini", error);
    EXPECT_TRUE(error);
    const std::u16string file = fromUtf8((m_folder / "dir.ini").string());
    EXPECT_EQ(WritePrivateProfileString(u"S", u"k", u"v", file.c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_directory(m_folder / "dir.ini"));

    (void)ProfileDocument::load(m_folder / "absent.ini", error);
    EXPECT_FALSE(error);
}

TEST_F(ProfileSaveTest, MissingFolderIsReported) {
    const auto error = ProfileDocument().save(m_folder / "no" / "such" / "file.ini");
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("temporary"), std::string::npos);
}

} // namespace
} // namespace pelmora::platform
