#include "VirtualCardOps.h"

#include "CardProfiles.h"

#include "CodePage.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace pelmora::model::test {

namespace {

// Default-alphabet text of plain ASCII letters, digits and blanks.
std::string alphaHex(const std::string& name, size_t width) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (size_t i = 0; i < width; ++i) {
        const auto c = i < name.size() ? static_cast<unsigned char>(name[i]) : 0xFFu;
        hex += digits[c >> 4];
        hex += digits[c & 0xF];
    }
    return hex;
}

std::string numberHex(const std::string& number) {
    if (number.empty()) {
        return std::string(28, 'F');
    }
    std::string digits = number;
    if (digits.size() % 2 != 0) {
        digits += 'F';
    }
    std::string bcd;
    for (size_t i = 0; i < digits.size(); i += 2) {
        bcd += digits[i + 1];
        bcd += digits[i];
    }
    static constexpr char hex[] = "0123456789ABCDEF";
    const size_t length = digits.size() / 2 + 1;
    std::string out;
    out += hex[length >> 4];
    out += hex[length & 0xF];
    out += "91" + bcd;
    out.resize(24, 'F');
    return out + "FFFF"; // capability and extension identifiers
}

} // namespace

std::string adnRecord(const std::string& name, const std::string& number) {
    return alphaHex(name, 14) + numberHex(number);
}

CardProfile::CardProfile() : m_text(brontel::test::cardProfile("demo")) {}

CardProfile& CardProfile::set(const std::string& section, const std::string& key,
                              const std::string& value) {
    m_text = brontel::test::withKey(std::move(m_text), section, key, value);
    return *this;
}

CardProfile& CardProfile::records(const std::string& section,
                                  const std::vector<std::pair<int, std::string>>& records) {
    const size_t at = m_text.find("[" + section + "]");
    EXPECT_NE(at, std::string::npos) << section;
    const size_t end = std::min(m_text.find("\n[", at + 1), m_text.size());
    std::istringstream lines(m_text.substr(at, end - at));
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        // Record lines start with their number; comments and other keys stay.
        if (line.empty() || !std::isdigit(static_cast<unsigned char>(line[0]))) {
            kept += line + "\n";
        }
    }
    for (const auto& [number, data] : records) {
        kept += std::to_string(number) + "=" + data + "\n";
    }
    m_text.replace(at, end - at, kept);
    return *this;
}

const VirtualSimControls& VirtualCardOps::sim() {
    // The instance the plug-in loads: dlopen shares it by path.
    static const VirtualSimControls controls = [] {
        VirtualSimControls bound;
        void* library = dlopen(VIRTUALSIM_PATH, RTLD_NOW | RTLD_LOCAL);
        EXPECT_TRUE(library != nullptr && bindVirtualSimControls(library, bound)) << dlerror();
        return bound;
    }();
    return controls;
}

void VirtualCardOps::SetUp() {
    m_temp = std::filesystem::temp_directory_path() /
             ("cardops-" + std::to_string(getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_temp);
    std::filesystem::create_directories(m_temp / "log");
    setenv("PELMORA_PCSC_LIBRARY", VIRTUALSIM_PATH, 1);
    setenv("VIRTUALSIM_CARDS", "", 1); // one empty reader
    setenv("PELMORA_LOG_ROOTS", (m_temp / "log").c_str(), 1);
    ASSERT_NE(sim().insertCardText, nullptr);
    // One reader, whatever an earlier test of this process plugged in.
    while (sim().readerCount() > 1) {
        sim().removeReader(sim().readerCount() - 1);
    }
    insert(CardProfile());
    ASSERT_TRUE(binding.bindLibrary(BRONTEL_PATH)) << binding.missingName();
    ASSERT_TRUE(calls.readerName(0, card.reader));
}

void VirtualCardOps::TearDown() {
    calls.close(card);
    binding.unbind();
    sim().clearFaults();
    std::filesystem::remove_all(m_temp);
}

void VirtualCardOps::insert(const CardProfile& profile, int reader) {
    sim().removeCard(reader);
    ASSERT_EQ(sim().insertCardText(reader, profile.text().data(), profile.text().size()), 0)
        << sim().lastError();
}

std::vector<PhoneBookEntry> cardBook(const PluginCalls& calls, CardDocument& card, int kind) {
    PhoneBookRequest count{};
    if (calls.readPhoneBook(card, kind, count) == 0 || count.count <= 0) {
        return {};
    }
    std::vector<PhoneBookEntry> entries(static_cast<size_t>(count.count));
    PhoneBookRequest full{};
    full.entries = entries.data();
    full.count = count.count;
    EXPECT_NE(calls.readPhoneBook(card, kind, full), 0);
    return entries;
}

} // namespace pelmora::model::test
