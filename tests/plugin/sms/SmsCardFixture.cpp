#include "SmsCardFixture.h"

#include "FieldText.h"
#include "card/SIMCard.h"

#include <cctype>
#include <cstring>

namespace brontel::test {

namespace {

void recordProgress(int index, int total, const char16_t* text, const char16_t* address,
                    intptr_t user) {
    auto* calls = reinterpret_cast<std::vector<ProgressCall>*>(user);
    calls->push_back({index, total, text == nullptr && address == nullptr});
}

} // namespace

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
        text += std::to_string(number) + "=" + profileHex(bytes) + "\n";
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

std::vector<Bytes> SmsCard::records() {
    return VirtualCard::records(files::kTelecom, files::kSms);
}

} // namespace brontel::test
