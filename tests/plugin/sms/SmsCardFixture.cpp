#include "SmsCardFixture.h"

#include "card/SIMCard.h"
#include "codec/FieldText.h"

#include <dlfcn.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>

namespace brontel::test {

namespace {

// Controls beyond those of the common fixture, from the same library instance.
struct TraceControls {
    decltype(&virtualsim_trace_size) trace_size = nullptr;
    decltype(&virtualsim_trace_entry) trace_entry = nullptr;
    decltype(&virtualsim_clear_trace) clear_trace = nullptr;
    decltype(&virtualsim_clear_faults) clear_faults = nullptr;
};

const TraceControls& traceControls() {
    static const TraceControls controls = [] {
        TraceControls c;
        void* library = dlopen(VIRTUALSIM_PATH, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            ADD_FAILURE() << dlerror();
            return c;
        }
        c.trace_size =
            reinterpret_cast<decltype(c.trace_size)>(dlsym(library, "virtualsim_trace_size"));
        c.trace_entry =
            reinterpret_cast<decltype(c.trace_entry)>(dlsym(library, "virtualsim_trace_entry"));
        c.clear_trace =
            reinterpret_cast<decltype(c.clear_trace)>(dlsym(library, "virtualsim_clear_trace"));
        c.clear_faults =
            reinterpret_cast<decltype(c.clear_faults)>(dlsym(library, "virtualsim_clear_faults"));
        return c;
    }();
    return controls;
}

void recordProgress(int index, int total, const char16_t* text, const char16_t* address,
                    intptr_t user) {
    auto* calls = reinterpret_cast<std::vector<ProgressCall>*>(user);
    calls->push_back({index, total, text == nullptr && address == nullptr});
}

} // namespace

std::string cardProfile(const std::string& name) {
    const std::string path = name == "demo"
                                 ? std::string(PELMORA_DEMO_CARD)
                                 : std::string(PELMORA_TEST_CARDS) + "/" + name + ".simcard";
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << path;
    return text.str();
}

std::string smsCardProfile(const std::map<int, Bytes>& records, int recordLength, int recordCount,
                           std::string_view structure) {
    std::string text = "[Card]\nCHV1=1234\nUnblockCHV1=12345678\nCHV1Enabled=1\n\n"
                       "[3F00]\nType=MF\n\n[3F00/7F10]\nType=DF\n\n[3F00/7F10/6F3C]\nType=EF\n";
    text += "Structure=" + std::string(structure) + "\n";
    if (structure == "transparent") {
        text += "Size=" + std::to_string(recordLength * recordCount) + "\n";
    } else {
        text += "RecordLength=" + std::to_string(recordLength) + "\n";
        text += "Records=" + std::to_string(recordCount) + "\n";
    }
    text += "Read=CHV1\nUpdate=CHV1\n";
    for (const auto& [number, bytes] : records) {
        std::string digits = hexText(bytes);
        std::erase(digits, ' ');
        text += std::to_string(number) + "=" + digits + "\n";
    }
    return text;
}

SmsEntry message(std::u16string_view text, std::u16string_view address, uint32_t flags) {
    SmsEntry entry{};
    entry.flags = static_cast<int32_t>(flags);
    codec::setFieldText(entry.text, text);
    codec::setFieldText(entry.address, address);
    return entry;
}

std::u16string textOf(const SmsEntry& entry) {
    return std::u16string(codec::fieldText(entry.text));
}

std::u16string addressOf(const SmsEntry& entry) {
    return std::u16string(codec::fieldText(entry.address));
}

std::u16string smscOf(const SmsEntry& entry) {
    return std::u16string(codec::fieldText(entry.smsc));
}

SmsEntry sentinel() {
    SmsEntry entry = message(u"untouched", u"+999", 0x0BADF00D);
    codec::setFieldText(entry.smsc, u"+111");
    entry.timestamp.year = 1999;
    return entry;
}

bool sameEntry(const SmsEntry& a, const SmsEntry& b) {
    return std::memcmp(&a, &b, sizeof(SmsEntry)) == 0;
}

std::string testName(std::string_view description) {
    std::string name(description);
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

void SmsCard::use(const std::string& profile) {
    insert(profile);
    connect();
    ASSERT_EQ(card.verify_chv("1234", 1), 1);
}

SmsRead SmsCard::read(std::vector<SmsEntry> entries) {
    SmsRead out;
    SmsRequest sizing{nullptr, 0, nullptr, 0};
    if (get_sms(&card, &sizing) != 1) {
        return out;
    }
    out.count = sizing.count;
    if (entries.empty()) {
        entries.resize(static_cast<size_t>(out.count), SmsEntry{});
    }
    out.entries = std::move(entries);
    SmsRequest request{out.entries.data(), static_cast<int32_t>(out.entries.size()),
                       &recordProgress, reinterpret_cast<intptr_t>(&out.progress)};
    out.result = get_sms(&card, &request);
    return out;
}

int SmsCard::write(std::vector<SmsEntry>& entries, std::vector<ProgressCall>* progress) {
    std::vector<ProgressCall> ignored;
    SmsRequest request{entries.data(), static_cast<int32_t>(entries.size()), &recordProgress,
                       reinterpret_cast<intptr_t>(progress != nullptr ? progress : &ignored)};
    return set_sms(&card, &request);
}

int SmsCard::lastError() {
    return get_last_error(&card);
}

std::vector<Bytes> SmsCard::records() {
    std::vector<Bytes> out;
    SimFileInfo info;
    EXPECT_EQ(card.select(files::kMasterFile), 1);
    EXPECT_EQ(card.select(files::kTelecom), 1);
    EXPECT_EQ(card.select(files::kSms, &info.length), 1);
    EXPECT_EQ(card.status(&info, 0), 1);
    for (int i = 1; i <= info.recordCount(); ++i) {
        Bytes record(info.recordLength);
        EXPECT_EQ(card.read_record(static_cast<uint8_t>(i), info.recordLength,
                                   SIMCard::kModeAbsolute, record),
                  1);
        out.push_back(std::move(record));
    }
    return out;
}

size_t SmsCard::commandCount(uint8_t ins) {
    const TraceControls& c = traceControls();
    size_t count = 0;
    for (size_t i = 0; i < c.trace_size(); ++i) {
        VirtualSimApdu apdu{};
        if (c.trace_entry(i, &apdu) == 0 && apdu.commandLength >= 2 && apdu.command[1] == ins) {
            ++count;
        }
    }
    return count;
}

void SmsCard::clearTrace() {
    traceControls().clear_trace();
}

void SmsCard::addFault(const std::string& rules) {
    ASSERT_EQ(sim().add_fault(rules.c_str()), 0) << sim().last_error();
}

void SmsCard::clearFaults() {
    traceControls().clear_faults();
}

} // namespace brontel::test
