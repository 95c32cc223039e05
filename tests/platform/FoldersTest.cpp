#include "Folders.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace pelmora::platform {
namespace {

TEST(Folders, ProgramFolderHoldsTheRunningExecutable) {
    const auto path = programPath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(path.is_absolute());
    EXPECT_EQ(path.filename(), "test_platform");
    EXPECT_EQ(programFolder(), path.parent_path());
}

TEST(Folders, XdgVariablesAndTheirFallbacks) {
    EXPECT_TRUE(test::inChild([] {
        ::setenv("HOME", "/home/u", 1);
        ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
        ::setenv("XDG_DATA_HOME", "/data", 1);
        ::setenv("XDG_STATE_HOME", "/state", 1);
        return configFolder() == "/cfg/pelmora" && dataHome() == "/data" &&
               stateFolder() == "/state/pelmora";
    }));
    // Unset or relative values fall back below the home folder.
    EXPECT_TRUE(test::inChild([] {
        ::setenv("HOME", "/home/u", 1);
        ::unsetenv("XDG_CONFIG_HOME");
        ::setenv("XDG_DATA_HOME", "relative/data", 1);
        ::setenv("XDG_STATE_HOME", "", 1);
        return configFolder() == "/home/u/.config/pelmora" &&
               dataHome() == "/home/u/.local/share" &&
               stateFolder() == "/home/u/.local/state/pelmora";
    }));
}

TEST(Folders, SettingsLiveBesideTheProgramOnlyWhenItsFolderIsWritable) {
    test::TempFolder program;
    test::TempFolder config;
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    EXPECT_EQ(settingsFile("Velmet.ini", program.path()), program / "Velmet.ini");

    ASSERT_EQ(::chmod(program.path().c_str(), 0555), 0);
    EXPECT_TRUE(test::inChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return false;
        }
        return settingsFile("Velmet.ini", program.path()) == config / "pelmora/Velmet.ini";
    }));
    EXPECT_EQ(settingsFile("Velmet.ini", ""), config / "pelmora/Velmet.ini");
}

TEST(Folders, DataFilesBesideTheProgramWinOverTheInstalledOnes) {
    test::TempFolder program;
    test::writeBytes(program / "lang.ini", "[en]\r\n");
    EXPECT_EQ(dataFile("lang.ini", program.path()), program / "lang.ini");
    EXPECT_EQ(dataFile("plmn.ini", program.path()), installedDataFolder() / "plmn.ini");
    EXPECT_TRUE(installedDataFolder().is_absolute());
}

TEST(Folders, SystemDataFoldersAreTheAbsoluteEntriesOfXdgDataDirs) {
    ::setenv("XDG_DATA_DIRS", "relative:/opt/share::/usr/share", 1);
    EXPECT_EQ(systemDataFolders(),
              (std::vector<std::filesystem::path>{"/opt/share", "/usr/share"}));
    ::setenv("XDG_DATA_DIRS", "relative", 1);
    EXPECT_EQ(systemDataFolders(),
              (std::vector<std::filesystem::path>{"/usr/local/share", "/usr/share"}));
    ::unsetenv("XDG_DATA_DIRS");
}

TEST(Folders, AnInstalledTreeFindsItsDataWhereverItsPrefixMoved) {
    test::TempFolder prefix;
    std::filesystem::create_directories(prefix / "bin");
    std::filesystem::create_directories(prefix / "share/pelmora");
    test::writeBytes(prefix / "share/pelmora/lang.ini", "[en]\r\n");
    EXPECT_EQ(dataFile("lang.ini", prefix / "bin"), prefix / "share/pelmora/lang.ini");
    EXPECT_EQ(installedDataFolder(prefix / "bin"), prefix / "share/pelmora");
}

} // namespace
} // namespace pelmora::platform
