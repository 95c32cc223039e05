#pragma once
// A SIMCard on libvirtualsim.so, the backup exports called on it as the
// editor calls them, and the backup file they write in a folder of the test's
// own.

#include "Brontel.h"
#include "CardProfiles.h"
#include "Hex.h"
#include "ProfileDocument.h"
#include "VirtualCardFixture.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace brontel::test {

using Bytes = std::vector<uint8_t>;
using codec::test::hex;
using codec::test::padded;

// A record file of a card made up for one test: linear fixed, READ and
// UPDATE CHV1, every record FF unless changed.
struct TestFile {
    TestFile(std::string path, int records, int recordLength = 28)
        : path(std::move(path)), recordLength(recordLength), records(records) {}
    TestFile& cyclic() {
        structure = "cyclic";
        return *this;
    }
    TestFile& readBy(std::string level) {
        read = std::move(level);
        return *this;
    }
    TestFile& record(int number, Bytes bytes) {
        contents[number] = std::move(bytes);
        return *this;
    }

    std::string path; // "7F10/6F3A"
    std::string structure = "linear fixed";
    int recordLength;
    int records;
    std::string read = "CHV1";
    std::string update = "CHV1";
    std::map<int, Bytes> contents;
};
// A card with the usual codes (PIN1 1234, PIN2 5678), DF telecom and the files.
std::string cardWith(const std::vector<TestFile>& files);

// One call of the progress callback.
struct BackupCall {
    int record;
    int recordCount;
    int file;
    int reserved;
    intptr_t user;
    friend bool operator==(const BackupCall&, const BackupCall&) = default;
};

class BackupCard : public VirtualCard {
protected:
    void SetUp() override;
    void TearDown() override;

    // backup_sim and restore_sim on the connection, with the callback
    // recording into calls (cleared first).
    int backup(int selection = 0xFFFF);
    int restore();
    std::u16string backupPathText() const;

    pelmora::platform::ProfileDocument backupDocument() const;
    void writeBackup(const std::string& text) const;
    // "1" .. "n"
    static std::vector<std::u16string> keys(int first, int last);

    // Inserts the card of a profile file, to be saved back to it by saveCard().
    void insertSavedCard(const std::filesystem::path& profile);
    // Ends the connection and takes the card out, which writes its profile.
    void saveCard();

    std::filesystem::path folder;
    std::filesystem::path backupPath;
    std::vector<BackupCall> calls;
};

} // namespace brontel::test
