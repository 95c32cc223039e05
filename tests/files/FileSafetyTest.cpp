// Files that cannot be read whole, or are no files at all: each is refused
// with a message naming the file (and the line), and no book comes of it.
#include "FileDocument.h"
#include "PhoneBookFiles.h"
#include "TestFiles.h"

#include "LangText.h"
#include "LanguageFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace pelmora::model;
using pelmora::test::TempFolder;

namespace {

class FileSafety : public ::testing::Test {
protected:
    void SetUp() override {
        pelmora::velmet::useLanguage(
            std::make_shared<pelmora::velmet::LanguageFile>(
                pelmora::velmet::LanguageFile::load(PELMORA_SOURCE_DATA "/lang.ini")),
            u"en");
    }
    void TearDown() override { pelmora::velmet::useLanguage(nullptr, u"en"); }

    // The error of opening the file; "" when it opened.
    std::string refusal(const std::filesystem::path& file) {
        OpenOutcome opened = openDocument(file, u',', PhoneBookFileOptions{});
        EXPECT_EQ(opened.document == nullptr, !opened.error.empty()) << file;
        return opened.error;
    }

    TempFolder folder;
};

std::string utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::string rows(const std::string& row, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += row;
    }
    return text;
}

TEST_F(FileSafety, FilesThatCannotBeReadWholeAreRefusedNamingFileAndLine) {
    const std::string cutPhn = utf16File(u"[6F3A]\r\nn1=Alice\r\nt1=123\r\nn2=Re");
    const struct {
        const char* name;
        std::string bytes;
        const char* says;
    } cases[] = {
        {"cut.phn", cutPhn, "line 4: the file ends in the middle of a line"},
        {"half.phn", utf16File(u"[6F3A]\r\nn1=Alice\r\nt1=123\r\n") + "n", "middle of a character"},
        {"noNumber.phn", "[6F3A]\r\nn1=Alice\r\nt1=123\r\nn2=Ren\xE9\x65 Dubois\r\n",
         "entry 2 of section [6F3A] is incomplete: its key t2"},
        {"cut.csv", "Name,Number\r\nAlice,12", "line 2: the file ends in the middle of a line"},
        {"quote.csv", "Name,Number\r\nAlice,123\r\n\"Bob,456\r\nCarl,789\r\n",
         "line 3: a quotation mark is opened here but never closed"},
        {"long.csv", "Name,Number\r\nAlice,123\r\n" + std::string(70000, 'x') + ",1\r\n",
         "line 3: the line is longer than 65536 characters"},
        {"many.csv", "Name,Number\r\n" + rows("a,1\r\n", 65536), "holds 65536 entries"},
        {"usim.csv", "N,P,2,3,4,5,6,E,E2,S\r\n\"Ann,1,,,,,,a@b.org,,Annie\r\n",
         "line 2: a quotation mark is opened here but never closed"},
    };
    for (const auto& c : cases) {
        pelmora::test::writeBytes(folder / c.name, c.bytes);
        const std::string error = refusal(folder / c.name);
        EXPECT_NE(error.find((folder / c.name).string()), std::string::npos) << error;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
    // A quoted field may hold a line end; a file written whole opens.
    pelmora::test::writeBytes(folder / "fine.csv", "Name,Number\r\n\"Al\r\nice\",\"1\"\"2\"\r\n");
    EXPECT_EQ(refusal(folder / "fine.csv"), "");
}

TEST_F(FileSafety, OnlyRegularFilesOfSaneSizeAreRead) {
    const auto fifo = folder / "pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(folder / "dir.phn");
    const auto huge = folder / "huge.csv";
    pelmora::test::writeBytes(huge, "Name,Number\r\n");
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kMaxPhoneBookFileBytes + 1)), 0);
    const struct {
        std::filesystem::path file;
        const char* says;
    } cases[] = {
        {fifo, "is not a regular file"}, // returns at once: no writer is waited for
        {"/dev/zero", "is not a regular file"},
        {folder / "dir.phn", "is not a regular file"},
        {huge, "is larger than 64 MB"},
    };
    for (const auto& c : cases) {
        EXPECT_NE(refusal(c.file).find(c.says), std::string::npos) << c.file;
    }
}

} // namespace
