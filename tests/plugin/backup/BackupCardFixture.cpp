#include "BackupCardFixture.h"

#include "CodePage.h"

#include <unistd.h>

#include <fstream>

namespace brontel::test {
namespace {

int recordCall(int record, int recordCount, int file, int reserved, intptr_t user) {
    reinterpret_cast<std::vector<BackupCall>*>(user)->push_back(
        {record, recordCount, file, reserved, user});
    return 0;
}

} // namespace

std::string cardWith(const std::vector<TestFile>& files) {
    std::string text = "[Card]\nCHV1=1234\nUnblockCHV1=12345678\nCHV2=5678\n"
                       "UnblockCHV2=87654321\nCHV1Enabled=1\n\n[3F00]\nType=MF\n\n"
                       "[3F00/7F10]\nType=DF\n";
    for (const TestFile& file : files) {
        text += "\n[3F00/" + file.path + "]\nType=EF\nStructure=" + file.structure +
                "\nRecordLength=" + std::to_string(file.recordLength) +
                "\nRecords=" + std::to_string(file.records) + "\nRead=" + file.read +
                "\nUpdate=" + file.update + "\n";
        for (const auto& [record, bytes] : file.contents) {
            text += std::to_string(record) + "=" + profileHex(bytes) + "\n";
        }
    }
    return text;
}

void BackupCard::SetUp() {
    VirtualCard::SetUp();
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = std::filesystem::temp_directory_path() /
             ("pelmora-backup-" + std::string(test->name()) + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    backupPath = folder / "card.bsf";
    clearTrace();
}

void BackupCard::TearDown() {
    VirtualCard::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

int BackupCard::backup(int selection) {
    calls.clear();
    return backup_sim(&card, selection, backupPathText().c_str(), recordCall,
                      reinterpret_cast<intptr_t>(&calls));
}

int BackupCard::restore() {
    calls.clear();
    return restore_sim(&card, backupPathText().c_str(), recordCall,
                       reinterpret_cast<intptr_t>(&calls));
}

std::u16string BackupCard::backupPathText() const {
    return pelmora::platform::fromUtf8(backupPath.string());
}

pelmora::platform::ProfileDocument BackupCard::backupDocument() const {
    return pelmora::platform::ProfileDocument::load(backupPath);
}

void BackupCard::writeBackup(const std::string& text) const {
    std::ofstream out(backupPath, std::ios::binary);
    out << text;
}

std::vector<std::u16string> BackupCard::keys(int first, int last) {
    std::vector<std::u16string> names;
    for (int k = first; k <= last; ++k) {
        names.push_back(pelmora::platform::fromUtf8(std::to_string(k)));
    }
    return names;
}

void BackupCard::insertSavedCard(const std::filesystem::path& profile) {
    sim().removeCard(0);
    sim().setPersist(1);
    ASSERT_EQ(sim().insertCard(0, profile.c_str()), 0) << sim().lastError();
}

void BackupCard::saveCard() {
    card.disconnect();
    ASSERT_EQ(sim().removeCard(0), 0) << sim().lastError();
    sim().setPersist(0);
}

} // namespace brontel::test
