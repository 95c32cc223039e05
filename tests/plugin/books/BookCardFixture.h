#pragma once
// A SIMCard connected through the real binding to libvirtualsim.so holding a
// card with phone books (the demo card unless a test inserts another), PIN1
// verified, and the phone-book exports called on it as the editor calls them.

#include "Brontel.h"
#include "CardProfiles.h"
#include "Hex.h"
#include "VirtualCardFixture.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brontel::test {

PhoneBookEntry entry(std::u16string_view name, std::u16string_view number = u"");
std::u16string nameOf(const PhoneBookEntry& entry);
std::u16string valueOf(const PhoneBookEntry& entry, int value);

struct ProgressCall {
    int index;
    int total;
    std::u16string name;
    std::u16string value;
    bool nullTexts;
};

struct BookRead {
    int result = 0;
    int count = 0; // as the call left it
    std::vector<PhoneBookEntry> entries;
};

class BookCard : public VirtualCard {
protected:
    void SetUp() override;

    // The two-call read of a book.
    BookRead read(int efId);
    // The progress calls of the last read.
    [[nodiscard]] const std::vector<ProgressCall>& readProgress() const { return m_readProgress; }
    int write(int efId, std::vector<PhoneBookEntry>& entries,
              std::vector<ProgressCall>* progress = nullptr);

private:
    std::vector<ProgressCall> m_readProgress;
};

using codec::test::hex;
using codec::test::hexText;
using codec::test::padded;

} // namespace brontel::test
