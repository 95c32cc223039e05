// Contexts, the reader list and reader names.

#include "VirtualSimTest.h"

#include <cstring>

namespace {

std::string multiString(const std::vector<std::string>& names) {
    std::string joined;
    for (const auto& name : names)
        joined += name + '\0';
    return joined + '\0';
}

} // namespace

using ContextTest = VirtualSimTest;

TEST_F(ContextTest, EstablishChecksScopeAndOutParameter) {
    SCARDCONTEXT context = 1234;
    EXPECT_EQ(pcsc().EstablishContext(7, nullptr, nullptr, &context), SCARD_E_INVALID_VALUE);
    EXPECT_EQ(context, 0);
    EXPECT_EQ(pcsc().EstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, nullptr),
              SCARD_E_INVALID_PARAMETER);
}

TEST_F(ContextTest, ContextsAreDistinctAndReleasedOnce) {
    SCARDCONTEXT first = establish(), second = establish();
    EXPECT_NE(first, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(pcsc().IsValidContext(first), SCARD_S_SUCCESS);
    EXPECT_EQ(pcsc().ReleaseContext(first), SCARD_S_SUCCESS);

    DWORD length = 0;
    SCARDHANDLE card = 0;
    DWORD active = 0;
    EXPECT_EQ(pcsc().IsValidContext(first), SCARD_E_INVALID_HANDLE);
    EXPECT_EQ(pcsc().ReleaseContext(first), SCARD_E_INVALID_HANDLE);
    EXPECT_EQ(pcsc().ListReaders(first, nullptr, nullptr, &length), SCARD_E_INVALID_HANDLE);
    EXPECT_EQ(pcsc().Connect(first, readerName(0).c_str(), SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0,
                             &card, &active),
              SCARD_E_INVALID_HANDLE);
    EXPECT_EQ(pcsc().Cancel(first), SCARD_E_INVALID_HANDLE);
    EXPECT_EQ(pcsc().IsValidContext(second), SCARD_S_SUCCESS);
    EXPECT_EQ(pcsc().IsValidContext(0), SCARD_E_INVALID_HANDLE);
}

TEST_F(ContextTest, ServiceThatIsNotRunningRefusesContexts) {
    start({{"VIRTUALSIM_CARDS", ""}, {"VIRTUALSIM_NO_SERVICE", "1"}});
    SCARDCONTEXT context = 0;
    EXPECT_EQ(pcsc().EstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context),
              SCARD_E_NO_SERVICE);
    sim().setServiceRunning(1);
    EXPECT_EQ(pcsc().EstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context),
              SCARD_S_SUCCESS);
}

using ReaderListTest = VirtualSimTest;

TEST_F(ReaderListTest, TheEnvironmentPlaysNoReaderOrACardWithoutT0) {
    start({{"VIRTUALSIM_NO_READERS", "1"}});
    SCARDCONTEXT context = establish();
    DWORD length = 0;
    EXPECT_EQ(pcsc().ListReaders(context, nullptr, nullptr, &length), SCARD_E_NO_READERS_AVAILABLE);

    start({{"VIRTUALSIM_CARDS", PELMORA_SOURCE_DATA "/cards/demo.simcard"},
           {"VIRTUALSIM_ATR", "3B 80 01 81"}});
    context = establish();
    EXPECT_EQ(tryConnect(context, 0, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0),
              SCARD_E_PROTO_MISMATCH);
    EXPECT_EQ(tryConnect(context, 0, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T1), SCARD_S_SUCCESS);
}

TEST_F(ReaderListTest, OneReaderPerCardsEntryNamedByPosition) {
    start({{"VIRTUALSIM_CARDS", "::"}});
    SCARDCONTEXT context = establish();
    DWORD length = 0;
    ASSERT_EQ(pcsc().ListReaders(context, nullptr, nullptr, &length), SCARD_S_SUCCESS);
    std::string expected =
        multiString({"Virtual SIM Reader 0", "Virtual SIM Reader 1", "Virtual SIM Reader 2"});
    ASSERT_EQ(length, expected.size());
    std::string names(length, 'x');
    ASSERT_EQ(pcsc().ListReaders(context, nullptr, names.data(), &length), SCARD_S_SUCCESS);
    EXPECT_EQ(names, expected);
    for (int reader = 0; reader < 3; ++reader)
        EXPECT_EQ(sim().cardPresent(reader), 0);
}

TEST_F(ReaderListTest, BufferConventionsOfPcscLite) {
    SCARDCONTEXT context = establish();
    const std::string expected = multiString({"Virtual SIM Reader 0"});

    DWORD length = 5;
    char small[5] = {};
    EXPECT_EQ(pcsc().ListReaders(context, nullptr, small, &length), SCARD_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(length, expected.size());

    char* allocated = nullptr;
    length = SCARD_AUTOALLOCATE;
    ASSERT_EQ(pcsc().ListReaders(context, nullptr, reinterpret_cast<char*>(&allocated), &length),
              SCARD_S_SUCCESS);
    ASSERT_NE(allocated, nullptr);
    EXPECT_EQ(std::string(allocated, length), expected);
    EXPECT_EQ(pcsc().FreeMemory(context, allocated), SCARD_S_SUCCESS);

    length = SCARD_AUTOALLOCATE;
    EXPECT_EQ(pcsc().ListReaders(context, nullptr, nullptr, &length), SCARD_E_INVALID_PARAMETER);
    EXPECT_EQ(pcsc().ListReaders(context, nullptr, nullptr, nullptr), SCARD_E_INVALID_PARAMETER);
}

TEST_F(ReaderListTest, NoReaderLeft) {
    SCARDCONTEXT context = establish();
    ASSERT_EQ(sim().removeReader(0), 0);
    DWORD length = 100;
    EXPECT_EQ(pcsc().ListReaders(context, nullptr, nullptr, &length), SCARD_E_NO_READERS_AVAILABLE);
    EXPECT_EQ(length, 1);
}

TEST_F(ReaderListTest, TheOnlyGroupIsTheDefaultOne) {
    SCARDCONTEXT context = establish();
    char groups[64] = {};
    DWORD length = sizeof groups;
    ASSERT_EQ(pcsc().ListReaderGroups(context, groups, &length), SCARD_S_SUCCESS);
    EXPECT_EQ(std::string(groups, length), std::string("SCard$DefaultReaders\0\0", 22));
}

TEST_F(ReaderListTest, AtMostSixteenReaders) {
    for (int i = 1; i < 16; ++i)
        ASSERT_EQ(sim().addReader(nullptr), i) << sim().lastError();
    EXPECT_EQ(sim().addReader(nullptr), -1);
    EXPECT_STRNE(sim().lastError(), "");
}

using ReaderNameTest = VirtualSimTest;

TEST_F(ReaderNameTest, NonAsciiNamesTravelAsUtf8) {
    const char* const names[] = {"Lecteur SIM – café", "Считыватель SIM", "Αναγνώστης κάρτας"};
    for (const char* name : names) {
        ASSERT_EQ(sim().renameReader(0, name), 0) << sim().lastError();
        SCARDCONTEXT context = establish();
        char listed[256] = {};
        DWORD length = sizeof listed;
        ASSERT_EQ(pcsc().ListReaders(context, nullptr, listed, &length), SCARD_S_SUCCESS);
        EXPECT_STREQ(listed, name);

        TestCard card;
        insert(card);
        SCARDHANDLE handle = 0;
        DWORD active = 0;
        ASSERT_EQ(pcsc().Connect(context, name, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0, &handle,
                                 &active),
                  SCARD_S_SUCCESS);
        char reported[256] = {};
        DWORD reportedLength = sizeof reported;
        ASSERT_EQ(
            pcsc().Status(handle, reported, &reportedLength, nullptr, nullptr, nullptr, nullptr),
            SCARD_S_SUCCESS);
        EXPECT_STREQ(reported, name);
        EXPECT_EQ(reportedLength, std::strlen(name) + 1);
        EXPECT_EQ(pcsc().ReleaseContext(context), SCARD_S_SUCCESS);
        ASSERT_EQ(sim().removeCard(0), 0);
    }
}

TEST_F(ReaderNameTest, NamesAreBoundedAndUnique) {
    EXPECT_EQ(sim().renameReader(0, std::string(127, 'r').c_str()), 0);
    EXPECT_EQ(sim().renameReader(0, std::string(128, 'r').c_str()), -1);
    EXPECT_EQ(sim().renameReader(0, ""), -1);
    ASSERT_EQ(sim().addReader("Second"), 1);
    EXPECT_EQ(sim().renameReader(0, "Second"), -1);
    EXPECT_EQ(sim().addReader("Second"), -1);

    SCARDCONTEXT context = establish();
    SCARDHANDLE card = 0;
    DWORD active = 0;
    std::string tooLong(MAX_READERNAME + 1, 'r');
    EXPECT_EQ(pcsc().Connect(context, tooLong.c_str(), SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0, &card,
                             &active),
              SCARD_E_INVALID_VALUE);
}
