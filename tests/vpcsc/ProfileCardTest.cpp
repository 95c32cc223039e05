// Cards from card profiles behind the PC/SC API: what a program reads, what a
// malformed profile gives, and when writes reach the profile file.

#include "VirtualSimTest.h"

#include <gmock/gmock.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// A GSM phone book of three 16-byte records behind CHV1 "1234".
const char* const kCard = R"([Card]
ATR=3B 02 14 50
CHV1=1234
UnblockCHV1=12345678
CHV1Enabled=1

[3F00]
Type=MF

[3F00/7F10]
Type=DF

[3F00/7F10/6F3A]
Type=EF
Structure=linear fixed
RecordLength=16
Records=3
Read=CHV1
Update=CHV1
2=4A6F686EFF0481214365FFFFFFFFFFFF
)";

const Bytes kSelectTelecom = hex("A0 A4 00 00 02 7F 10");
const Bytes kSelectAdn = hex("A0 A4 00 00 02 6F 3A");
const Bytes kVerifyChv1 = hex("A0 20 00 01 08 31 32 33 34 FF FF FF FF");
const Bytes kReadSecond = hex("A0 B2 02 04 10");
const Bytes kUpdateThird = hex("A0 DC 03 04 10 41 6E 6E 61 FF FF FF FF FF FF FF FF FF FF FF FF");

class ProfileFile {
public:
    explicit ProfileFile(const std::string& text) {
        char name[] = "/tmp/virtualsim-card-XXXXXX";
        int fd = mkstemp(name);
        EXPECT_GE(fd, 0);
        close(fd);
        m_path = name;
        std::ofstream(m_path, std::ios::binary) << text;
    }
    ~ProfileFile() { std::filesystem::remove(m_path); }
    [[nodiscard]] std::string text() const {
        std::ifstream in(m_path, std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }
    [[nodiscard]] const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace

class ProfileCardTest : public VirtualSimTest {
protected:
    // Selects the phone book and presents CHV1, as the plug-in does.
    void openPhoneBook(SCARDHANDLE card, bool verify = true) {
        EXPECT_EQ(transmit(card, kSelectTelecom).at(0), 0x9F);
        EXPECT_EQ(transmit(card, kSelectAdn).at(0), 0x9F);
        if (verify) {
            EXPECT_EQ(transmit(card, kVerifyChv1), hex("90 00"));
        }
    }
};

TEST_F(ProfileCardTest, ReadsWhatTheProfileHolds) {
    ASSERT_EQ(sim().insertCardText(0, kCard, std::strlen(kCard)), 0) << sim().lastError();
    SCARDHANDLE card = connect(establish(), 0);
    openPhoneBook(card, false);
    EXPECT_EQ(transmit(card, kReadSecond), hex("98 04")); // CHV1 not presented yet
    EXPECT_EQ(transmit(card, kVerifyChv1), hex("90 00"));
    EXPECT_EQ(transmit(card, kReadSecond), hex("4A 6F 68 6E FF 04 81 21 43 65 FF FF FF FF FF FF "
                                               "90 00"));
}

TEST_F(ProfileCardTest, MalformedProfileIsRefusedNamingTheLine) {
    std::string broken = kCard;
    broken.replace(broken.find("Type=DF"), 7, "Type=XX");
    EXPECT_EQ(sim().insertCardText(0, broken.data(), broken.size()), -1);
    EXPECT_THAT(sim().lastError(), ::testing::HasSubstr("line 11")) << sim().lastError();
    EXPECT_EQ(sim().insertCard(0, "/nonexistent/card.simcard"), -1);
    EXPECT_EQ(sim().cardPresent(0), 0);
}

TEST_F(ProfileCardTest, PersistSavesWhenTheLastConnectionCloses) {
    ProfileFile file(kCard);
    start({{"VIRTUALSIM_CARDS", file.path()}, {"VIRTUALSIM_PERSIST", "1"}});
    SCARDCONTEXT context = establish();
    SCARDHANDLE writer = connect(context, 0, SCARD_SHARE_SHARED);
    SCARDHANDLE watcher = connect(context, 0, SCARD_SHARE_SHARED);
    openPhoneBook(writer);
    ASSERT_EQ(transmit(writer, kUpdateThird), hex("90 00"));

    ASSERT_EQ(pcsc().Disconnect(writer, SCARD_LEAVE_CARD), SCARD_S_SUCCESS);
    EXPECT_EQ(file.text(), kCard) << "another connection is still open";
    ASSERT_EQ(pcsc().Disconnect(watcher, SCARD_LEAVE_CARD), SCARD_S_SUCCESS);
    EXPECT_THAT(file.text(), ::testing::HasSubstr("416E6E61FFFFFFFFFFFFFFFFFFFFFFFF"));

    // The saved card is the one a fresh start serves.
    start({{"VIRTUALSIM_CARDS", file.path()}});
    SCARDHANDLE card = connect(establish(), 0);
    openPhoneBook(card);
    EXPECT_EQ(transmit(card, hex("A0 B2 03 04 10")),
              hex("41 6E 6E 61 FF FF FF FF FF FF FF FF FF FF FF FF 90 00"));
}

TEST_F(ProfileCardTest, WithoutPersistWritesStayInMemory) {
    ProfileFile file(kCard);
    start({{"VIRTUALSIM_CARDS", file.path()}});
    SCARDCONTEXT context = establish();
    SCARDHANDLE card = connect(context, 0);
    openPhoneBook(card);
    ASSERT_EQ(transmit(card, kUpdateThird), hex("90 00"));
    ASSERT_EQ(pcsc().Disconnect(card, SCARD_LEAVE_CARD), SCARD_S_SUCCESS);

    card = connect(context, 0);
    openPhoneBook(card);
    EXPECT_EQ(transmit(card, hex("A0 B2 03 04 10")).at(0), 0x41);
    ASSERT_EQ(pcsc().ReleaseContext(context), SCARD_S_SUCCESS);
    sim().reset();
    EXPECT_EQ(file.text(), kCard);
}

TEST_F(ProfileCardTest, ReadersOfTheEnvironmentWithOneProfileMissing) {
    ProfileFile file(kCard);
    start({{"VIRTUALSIM_CARDS", "/nonexistent/card.simcard:" + file.path()}});
    ASSERT_EQ(sim().readerCount(), 2);
    EXPECT_EQ(sim().cardPresent(0), 0);
    EXPECT_EQ(sim().cardPresent(1), 1);
}

TEST_F(ProfileCardTest, UnsetCardsMeansOneReaderWithTheDemoCard) {
    start({});
    ASSERT_EQ(sim().readerCount(), 1);
    EXPECT_EQ(readerName(0), "Virtual SIM Reader 0");
    const bool shipped = std::filesystem::exists(PELMORA_SOURCE_DATA "/cards/demo.simcard");
    EXPECT_EQ(sim().cardPresent(0), shipped ? 1 : 0);
}
