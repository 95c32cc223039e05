#include "ExportsFixture.h"

#include <cstring>

namespace brontel {
namespace {

SimInfo detailsRequest(int bookFile = -1) {
    SimInfo info{};
    info.read_details = 1;
    info.book_file = bookFile;
    return info;
}

// The demo card with one section's data replaced.
std::string demoWith(const std::string& section, const std::string& size, const std::string& data) {
    return test::withKey(test::withKey(test::cardProfile("demo"), section, "Size", size), section,
                         "Data", data);
}

TEST_F(Exports, DetailsOfTheDemoCard) {
    handle = connect();
    ASSERT_EQ(verify_pin1(handle, u"1234"), 1);
    SimInfo info = detailsRequest();
    ASSERT_EQ(get_sim_info(handle, &info), 1);
    EXPECT_EQ(text(info.iccid), u"8944150012345678217");
    EXPECT_EQ(text(info.imsi), u"234157300481516");
    EXPECT_EQ(text(info.serviceProvider), u"Demo Mobile");
    EXPECT_EQ(info.phase, 2);
    EXPECT_EQ(info.location, 0x32F451);
    EXPECT_EQ(info.pin1Enabled, 1);
    EXPECT_EQ(info.pin1Attempts, 3);
}

TEST_F(Exports, FilesBehindPin1StayEmptyUntilItIsVerified) {
    handle = connect();
    SimInfo info = detailsRequest();
    ASSERT_EQ(get_sim_info(handle, &info), 1);
    EXPECT_EQ(text(info.iccid), u"8944150012345678217");
    EXPECT_EQ(text(info.imsi), u"");
    EXPECT_EQ(info.location, 0);
    EXPECT_EQ(text(info.serviceProvider), u"Demo Mobile");
}

TEST_F(Exports, WithoutDetailsTheDetailFieldsAreClearedWhateverTheyHeld) {
    handle = connect();
    SimInfo info{};
    std::memset(&info, 0x41, sizeof info);
    info.read_details = 0;
    info.book_file = 0x6F3A;
    ASSERT_EQ(get_sim_info(handle, &info), 1);
    EXPECT_EQ(info.pin1Enabled, 1);
    EXPECT_EQ(text(info.atrText), u"3B1A115649525455414C53494D");
    for (const char16_t c : info.iccid) {
        EXPECT_EQ(c, 0);
    }
    for (const char16_t c : info.imsi) {
        EXPECT_EQ(c, 0);
    }
    for (const char16_t c : info.serviceProvider) {
        EXPECT_EQ(c, 0);
    }
    EXPECT_EQ(info.phase, 0);
    EXPECT_EQ(info.location, 0);
    EXPECT_EQ(info.bookAttributes[0], 0x41414141); // no book read without details
    EXPECT_EQ(info.book_file, 0x6F3A);
}

TEST_F(Exports, NoBookLeavesTheAttributeFieldsAlone) {
    handle = connect();
    SimInfo info = detailsRequest(-1);
    for (int32_t& a : info.bookAttributes) {
        a = 77;
    }
    ASSERT_EQ(get_sim_info(handle, &info), 1);
    for (const int32_t a : info.bookAttributes) {
        EXPECT_EQ(a, 77);
    }
    EXPECT_EQ(info.book_file, -1);
}

TEST_F(Exports, ABookFileGetsThatBooksAttributes) {
    handle = connect();
    ASSERT_EQ(verify_pin1(handle, u"1234"), 1);
    SimInfo info = detailsRequest(0x12346F3B); // only the low half names the file
    ASSERT_EQ(get_sim_info(handle, &info), 1);
    EXPECT_EQ(info.bookAttributes[0], 280); // ten records of 28 bytes
    EXPECT_EQ(info.bookAttributes[1], 4);   // EF
    EXPECT_EQ(info.bookAttributes[2], 1);   // linear fixed
    EXPECT_EQ(info.bookAttributes[3], 28);
    EXPECT_EQ(info.bookAttributes[4], 1); // read: CHV1
    EXPECT_EQ(info.bookAttributes[5], 2); // update: CHV2
    EXPECT_EQ(info.book_file, 0x6F3B);

    SimInfo missing = detailsRequest(0x6F99); // no such file on the card
    missing.bookAttributes[0] = 77;
    ASSERT_EQ(get_sim_info(handle, &missing), 1);
    EXPECT_EQ(missing.bookAttributes[0], 77);
}

TEST_F(Exports, ACardWithoutServiceProviderStillAnswers) {
    insertFile(test::cardPath("no-spn"));
    handle = connect();
    SimInfo info = detailsRequest();
    ASSERT_EQ(get_sim_info(handle, &info), 1);
    EXPECT_EQ(text(info.serviceProvider), u"");
    EXPECT_EQ(text(info.iccid), u"8944150012345678217");
    EXPECT_EQ(info.phase, 2);
}

TEST_F(Exports, ALongIccidStopsAtThirtyOneDigits) {
    insertText(demoWith("3F00/2FE2", "40", std::string(80, '1')));
    handle = connect();
    SimInfo info = detailsRequest();
    info.imsi[0] = u'X';
    ASSERT_EQ(get_sim_info(handle, &info), 1);
    EXPECT_EQ(text(info.iccid), std::u16string(31, u'1'));
    EXPECT_EQ(info.iccid[31], 0);
    EXPECT_EQ(text(info.imsi), u""); // behind PIN1, and not overrun
}

TEST_F(Exports, ALongImsiStopsAtThirtyOneDigits) {
    insertText(demoWith("3F00/7F20/6F07", "40", "FF" + std::string(78, '2')));
    handle = connect();
    ASSERT_EQ(verify_pin1(handle, u"1234"), 1);
    SimInfo info = detailsRequest();
    ASSERT_EQ(get_sim_info(handle, &info), 1);
    EXPECT_EQ(text(info.imsi), std::u16string(31, u'2'));
    EXPECT_EQ(text(info.serviceProvider), u"Demo Mobile");
}

TEST_F(Exports, AnUnreadableFileLeavesOnlyItsOwnFieldEmpty) {
    handle = connect();
    ASSERT_EQ(verify_pin1(handle, u"1234"), 1);
    // The first READ BINARY (EF ICCID) fails.
    ASSERT_EQ(sim().addFault("A0B0#1=6F00"), 0);
    SimInfo info = detailsRequest();
    ASSERT_EQ(get_sim_info(handle, &info), 1);
    EXPECT_EQ(text(info.iccid), u"");
    EXPECT_EQ(text(info.imsi), u"234157300481516");
}

TEST_F(Exports, AMasterFileThatCannotBeDescribedFailsTheCall) {
    handle = connect();
    ASSERT_EQ(sim().addFault("A0F2#1=6F00"), 0);
    SimInfo info = detailsRequest();
    EXPECT_EQ(get_sim_info(handle, &info), 0);
    EXPECT_NE(get_last_error(handle), 0);
    EXPECT_EQ(get_sim_info(handle, nullptr), 0);
}

TEST_F(Exports, AConnectThatCannotDescribeTheMasterFileLeavesNoConnection) {
    ASSERT_EQ(sim().addFault("A0F2#1=6F00"), 0);
    SimHandle h = nullptr;
    EXPECT_EQ(connect_sim(readerName().c_str(), &h, nullptr), 0);
    EXPECT_EQ(h, nullptr);
    handle = connect(); // the card was released
}

} // namespace
} // namespace brontel
