// libBrontel.so as the editor uses it, over the real PC/SC stack: pcscd with
// the vsmartcard-vpcd driver, and virtualsim-vpcd answering as the demo card.
// Needs the pcscd test fixture.
#include "Brontel.h"

#include "VpcdProcess.h"

#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace brontel {
namespace {

using Clock = std::chrono::steady_clock;

template <typename Function> Function bound(void* library, const char* name) {
    return reinterpret_cast<Function>(dlsym(library, name));
}

TEST(PluginThroughPcscd, ReadsTheDemoCardAsTheEditorDoes) {
    unsetenv("PELMORA_PCSC_LIBRARY");
    void* library = dlopen(BRONTEL_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const auto enumSim = bound<decltype(&enum_sim)>(library, "enum_sim");
    const auto connectSim = bound<decltype(&connect_sim)>(library, "connect_sim");
    const auto getSimInfo = bound<decltype(&get_sim_info)>(library, "get_sim_info");
    const auto verifyPin1 = bound<decltype(&verify_pin1)>(library, "verify_pin1");
    const auto getPhoneBook = bound<decltype(&get_phone_book)>(library, "get_phone_book");
    const auto disconnectSim = bound<decltype(&disconnect_sim)>(library, "disconnect_sim");
    const auto getSms = bound<decltype(&get_sms)>(library, "get_sms");
    const auto setSms = bound<decltype(&set_sms)>(library, "set_sms");
    ASSERT_TRUE(enumSim && connectSim && getSimInfo && verifyPin1 && disconnectSim && getSms &&
                setSms);

    const VpcdProcess vpcd(PELMORA_DEMO_CARD);
    // Until pcscd lists the reader with the card in it.
    const std::u16string wanted = u"Virtual PCD 00 01";
    SimHandle handle = nullptr;
    SimInfo info{};
    for (auto until = Clock::now() + std::chrono::seconds(15);
         handle == nullptr && Clock::now() < until;) {
        for (uint32_t index = 0;; ++index) {
            char16_t name[256] = {};
            uint32_t length = 256;
            if (enumSim(index, name, &length) == 0) {
                break;
            }
            if (wanted == name && connectSim(name, &handle, &info) == 1) {
                break;
            }
        }
        if (handle == nullptr) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    ASSERT_NE(handle, nullptr) << "the vpcd reader never offered the demo card";
    EXPECT_EQ(info.pin1Enabled, 1);
    EXPECT_EQ(info.pin1Attempts, 3);

    info.read_details = 1;
    info.book_file = -1;
    ASSERT_EQ(getSimInfo(handle, &info), 1);
    EXPECT_EQ(std::u16string(info.iccid), u"8944150012345678217");
    EXPECT_EQ(std::u16string(info.serviceProvider), u"Demo Mobile");

    ASSERT_EQ(verifyPin1(handle, u"1234"), 1);
    ASSERT_EQ(getSimInfo(handle, &info), 1);
    EXPECT_EQ(std::u16string(info.imsi), u"234157300481516");

    if (getPhoneBook != nullptr) {
        PhoneBookRequest request{};
        ASSERT_EQ(getPhoneBook(handle, 0x6F3A, &request), 1);
        ASSERT_GT(request.count, 0);
        std::vector<PhoneBookEntry> entries(static_cast<size_t>(request.count));
        request.entries = entries.data();
        EXPECT_EQ(getPhoneBook(handle, 0x6F3A, &request), 1);
    }

    // The messages, written back unchanged and read again.
    SmsRequest messages{};
    ASSERT_EQ(getSms(handle, &messages), 1);
    ASSERT_EQ(messages.count, 30);
    std::vector<SmsEntry> stored(30);
    messages.entries = stored.data();
    ASSERT_EQ(getSms(handle, &messages), 1);
    EXPECT_EQ(std::u16string(stored[0].text), u"Hi! Are we still on for lunch tomorrow?");
    EXPECT_EQ(setSms(handle, &messages), 1);
    std::vector<SmsEntry> again(30);
    messages.entries = again.data();
    ASSERT_EQ(getSms(handle, &messages), 1);
    EXPECT_EQ(std::memcmp(again.data(), stored.data(), 30 * sizeof(SmsEntry)), 0);

    EXPECT_EQ(disconnectSim(handle), 1);
    // pcsc-lite stays loaded: it keeps its lists when unloaded.
}

} // namespace
} // namespace brontel
