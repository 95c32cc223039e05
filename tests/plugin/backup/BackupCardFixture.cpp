#include "BackupCardFixture.h"

#include "CodePage.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

namespace brontel::test {
namespace {

int recordCall(int record, int recordCount, int file, int reserved, intptr_t user) {
    reinterpret_cast<std::vector<BackupCall>*>(user)->push_back(
        {record, recordCount, file, reserved, user});
    return 0;
}

std::string hexRecord(const Bytes& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 0xF];
    }
    return text;
}

} // namespace

std::filesystem::path cardPath(const std::string& name) {
    if (name == "demo") {
        return PELMORA_DEMO_CARD;
    }
    return std::filesystem::path(PELMORA_TEST_CARDS) / (name + ".simcard");
}

std::string cardText(const std::string& name) {
    std::ifstream in(cardPath(name), std::ios::binary);
    EXPECT_TRUE(in) << cardPath(name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

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
            text += std::to_string(record) + "=" + hexRecord(bytes) + "\n";
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

void BackupCard::use(const std::string& profile, bool verifyPin2) {
    card.disconnect();
    insert(profile);
    connect();
    ASSERT_EQ(card.verify_chv("1234", 1), 1);
    if (verifyPin2) {
        ASSERT_EQ(card.verify_chv("5678", 2), 1);
    }
    clearTrace();
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

int BackupCard::lastError() {
    return get_last_error(&card);
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

std::vector<Bytes> BackupCard::records(FileId directory, FileId ef) {
    std::vector<Bytes> result;
    SimFileInfo info;
    if (!card.select(files::kMasterFile) || !card.select(directory) ||
        !card.select(ef, &info.length) || !card.status(&info, 0)) {
        ADD_FAILURE() << "cannot describe " << std::hex << ef.value;
        return result;
    }
    for (int record = 1; record <= info.recordCount(); ++record) {
        Bytes bytes(info.recordLength);
        EXPECT_EQ(card.read_record(static_cast<uint8_t>(record), info.recordLength,
                                   SIMCard::kModeAbsolute, bytes),
                  1);
        result.push_back(bytes);
    }
    return result;
}

std::vector<Bytes> BackupCard::commands() {
    std::vector<Bytes> result;
    for (size_t i = 0; i < sim().trace_size(); ++i) {
        VirtualSimApdu entry{};
        if (sim().trace_entry(i, &entry) == 0) {
            const size_t kept = std::min(entry.commandLength, sizeof entry.command);
            result.emplace_back(entry.command, entry.command + kept);
        }
    }
    return result;
}

void BackupCard::clearTrace() {
    sim().clear_trace();
}

void BackupCard::addFault(const std::string& rules) {
    ASSERT_EQ(sim().add_fault(rules.c_str()), 0) << sim().last_error();
}

void BackupCard::insertSavedCard(const std::filesystem::path& profile) {
    sim().remove_card(0);
    sim().set_persist(1);
    ASSERT_EQ(sim().insert_card(0, profile.c_str()), 0) << sim().last_error();
}

void BackupCard::saveCard() {
    card.disconnect();
    ASSERT_EQ(sim().remove_card(0), 0) << sim().last_error();
    sim().set_persist(0);
}

} // namespace brontel::test
