#include "BackupFileDialog.h"

#include <gtest/gtest.h>

using namespace pelmora::model;

TEST(BackupFileDialog, DefaultsAndTheRememberedFolder) {
    pelmora::velmet::Settings settings;
    settings.backupExtension = u".sim.bak";
    const BackupFileDialog backup = backupFileDialog(settings, false);
    EXPECT_EQ(backup.titleText, 52);
    EXPECT_EQ(backup.filterText, 49);
    EXPECT_EQ(backup.pattern, u"*.sim.bak");
    EXPECT_EQ(backup.suffix, u"bak");
    EXPECT_EQ(backup.proposedNameText, 51);

    rememberBackupFolder(settings, "/home/u/cards/a.bsf");
    const BackupFileDialog restore = backupFileDialog(settings, true);
    EXPECT_EQ(restore.titleText, 53);
    EXPECT_EQ(restore.proposedNameText, 0);
    EXPECT_EQ(restore.startFolder, u"/home/u/cards");
}
