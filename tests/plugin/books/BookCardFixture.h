#pragma once
// A SIMCard connected through the real binding to libvirtualsim.so holding a
// card with phone books (the demo card unless a test inserts another), PIN1
// verified, and the phone-book exports called on it as the editor calls them.

#include "Brontel.h"
#include "Hex.h"
#include "VirtualCardFixture.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brontel::test {

// Profile text of a shipped card: "demo" or a test card's name.
std::string cardProfile(const std::string& name);
// The profile with key=value in the section (replaced, or added after the header).
std::string withKey(std::string profile, std::string_view section, std::string_view key,
                    std::string_view value);

// The profile with the section's keys replaced by body ("Key=value" lines).
std::string withSection(std::string profile, std::string_view section, std::string_view body);
std::string withoutSection(std::string profile, std::string_view section);

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

    // Replaces the card, connects and verifies PIN1 (and PIN2 when asked).
    void use(const std::string& profile, bool verifyPin2 = false);

    // The two-call read of a book.
    BookRead read(int efId);
    // The progress calls of the last read.
    [[nodiscard]] const std::vector<ProgressCall>& readProgress() const { return m_readProgress; }
    int write(int efId, std::vector<PhoneBookEntry>& entries,
              std::vector<ProgressCall>* progress = nullptr);
    // What get_last_error gives for the connection.
    int lastError();

    // Records of an EF as the card holds them, read with plain commands.
    std::vector<std::vector<uint8_t>> records(FileId directory, FileId ef);

    // The commands sent since the last clearTrace().
    std::vector<std::vector<uint8_t>> commands() const;
    size_t commandCount(uint8_t ins) const;
    static void clearTrace();
    static void addFault(const std::string& rules);

private:
    std::vector<ProgressCall> m_readProgress;
};

using codec::test::hex;
using codec::test::hexText;
using codec::test::padded;

// Bytes as a card profile writes a record: hex pairs without spaces.
std::string profileHex(const std::vector<uint8_t>& bytes);

} // namespace brontel::test
