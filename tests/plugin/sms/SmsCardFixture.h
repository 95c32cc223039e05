#pragma once
// A SIMCard connected through the real binding to libvirtualsim.so, PIN1
// verified, and the message exports called on it as the editor calls them.

#include "Brontel.h"
#include "CardProfiles.h"
#include "Hex.h"
#include "VirtualCardFixture.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace brontel::test {

using Bytes = std::vector<uint8_t>;
using codec::test::hex;
using codec::test::hexText;
using codec::test::padded;
using codec::test::timeText;

// A card holding only EF SMS (PIN1 1234), with the records given by number.
std::string smsCardProfile(const std::map<int, Bytes>& records, int recordLength = 176,
                           int recordCount = 10, std::string_view structure = "linear fixed");

SmsEntry message(std::u16string_view text, std::u16string_view address, uint32_t flags);
std::u16string textOf(const SmsEntry& entry);
std::u16string addressOf(const SmsEntry& entry);
std::u16string smscOf(const SmsEntry& entry);
// An entry no read would produce, to see which entries a read leaves alone.
SmsEntry sentinel();
bool sameEntry(const SmsEntry& a, const SmsEntry& b);

// The user value of the request is the list the calls go to.
struct ProgressCall {
    int index;
    int total;
    bool textsNull;
    friend bool operator==(const ProgressCall&, const ProgressCall&) = default;
};

// A case's description as a test name: letters and digits, "_" for the rest.
std::string testName(std::string_view description);

struct SmsRead {
    int result = 0;
    int count = 0; // as the sizing call left it
    std::vector<SmsEntry> entries;
    std::vector<ProgressCall> progress;
};

class SmsCard : public VirtualCard {
protected:
    // The two-call read; entries start as given (zero-filled when empty).
    SmsRead read(std::vector<SmsEntry> entries = {});
    int write(std::vector<SmsEntry>& entries, std::vector<ProgressCall>* progress = nullptr);
    // The records of EF SMS as the card holds them, read with plain commands.
    std::vector<Bytes> records();

    static constexpr uint8_t kRead = 0xB2;
    static constexpr uint8_t kUpdate = 0xDC;
};

} // namespace brontel::test
