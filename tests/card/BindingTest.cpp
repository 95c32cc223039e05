#include "FakePlugin.h"
#include "PluginBinding.h"
#include "PluginCalls.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pelmora::model::test {
namespace {

TEST(PluginBinding, LibraryWithEveryExportIsBound) {
    PluginBinding binding;
    ASSERT_TRUE(binding.bindLibrary(STUB_PLUGIN_FULL));
    EXPECT_TRUE(binding.bound());
    EXPECT_NE(binding.exports().get_last_error, nullptr);
    EXPECT_EQ(binding.exports().get_last_error(nullptr), 42);
    binding.unbind();
    EXPECT_EQ(binding.exports().enum_sim, nullptr);
}

TEST(PluginBinding, LibraryLackingTheLastNameIsNotBoundAtAll) {
    PluginBinding binding;
    EXPECT_FALSE(binding.bindLibrary(STUB_PLUGIN_WITHOUT_LAST_ERROR));
    EXPECT_FALSE(binding.bound());
    EXPECT_EQ(binding.missingName(), "get_last_error");
    // The twenty names found before are forgotten again.
    EXPECT_EQ(binding.exports().enum_sim, nullptr);
    EXPECT_EQ(binding.exports().restore_sim, nullptr);
}

TEST(PluginBinding, ProgramFolderComesFirstAndMissingLibraryFailsAtFirstName) {
    PluginBinding binding;
    EXPECT_FALSE(binding.bindLibrary("/nonexistent/libBrontel.so"));
    EXPECT_EQ(binding.missingName(), "enum_sim");
    // The stub's folder holds it under the plug-in's own name.
    const auto folder = std::filesystem::path(STUB_PLUGIN_FULL).parent_path() / "stubplugin";
    EXPECT_TRUE(binding.bind(folder));
}

TEST(PluginBinding, AnyMissingNameUnbindsEverything) {
    for (std::string_view name : kBrontelExportNames) {
        PluginBinding binding;
        EXPECT_FALSE(bindFake(binding, std::string(name))) << name;
        EXPECT_EQ(binding.missingName(), name);
        EXPECT_EQ(binding.exports().get_sim_info, nullptr) << name;
        EXPECT_EQ(binding.exports().enum_sim, nullptr) << name;
    }
}

class PluginCallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetFakeCard();
        ASSERT_TRUE(bindFake(binding));
    }
    PluginBinding binding;
};

TEST_F(PluginCallsTest, UnboundEntryPointsGiveZero) {
    PluginBinding none;
    PluginCalls calls(none);
    CardDocument card;
    card.lastResult = 1;
    EXPECT_EQ(calls.connect(card, u"Reader A"), 0);
    EXPECT_EQ(card.lastResult, 0);
    EXPECT_EQ(calls.cardInfo(card), 0);
}

TEST_F(PluginCallsTest, ExceptionInsideTheCallGivesAndStoresZero) {
    PluginCalls calls(binding);
    CardDocument card;
    ASSERT_EQ(calls.connect(card, u"Reader A"), 1);
    ASSERT_EQ(card.lastResult, 1);
    fakeCard().throwInCardInfo = true;
    EXPECT_EQ(calls.cardInfo(card), 0);
    EXPECT_EQ(card.lastResult, 0);
}

TEST_F(PluginCallsTest, FailedReadsOfBooksAndMessagesFetchTheLastError) {
    PluginCalls calls(binding);
    CardDocument card;
    ASSERT_EQ(calls.connect(card, u"Reader A"), 1);
    PhoneBookRequest request{};
    EXPECT_EQ(calls.readPhoneBook(card, 0x6F3B, request), 0); // no such book
    EXPECT_EQ(card.lastError, -6);
    card.lastError = 0;
    SmsRequest sms{};
    EXPECT_EQ(calls.readMessages(card, sms), 0);
    EXPECT_EQ(card.lastError, -6);
}

TEST_F(PluginCallsTest, CloseForgetsConnectionInformationAndPinsButKeepsBooks) {
    PluginCalls calls(binding);
    CardDocument card;
    ASSERT_EQ(calls.connect(card, u"Reader A"), 1);
    card.setPin1(u"1234");
    card.addCategory(0x6F3A, 3);
    calls.close(card);
    EXPECT_EQ(card.connection, nullptr);
    EXPECT_FALSE(card.pin1().present());
    EXPECT_TRUE(card.readerLine().empty());
    EXPECT_EQ(card.categories().size(), 1u);
    EXPECT_EQ(fakeCard().calls["disconnect_sim"], 1);
    calls.close(card); // not connected: no call
    EXPECT_EQ(fakeCard().calls["disconnect_sim"], 1);
}

TEST_F(PluginCallsTest, ReaderNamesByIndexUntilNoMore) {
    fakeCard().readers = {u"One", u"Two"};
    PluginCalls calls(binding);
    std::u16string name;
    EXPECT_TRUE(calls.readerName(0, name));
    EXPECT_EQ(name, u"One");
    EXPECT_TRUE(calls.readerName(1, name));
    EXPECT_EQ(name, u"Two");
    EXPECT_FALSE(calls.readerName(2, name));
}

} // namespace
} // namespace pelmora::model::test
