#pragma once
// Two-byte identifiers of SIM files (3GPP TS 51.011 10.7).

#include <cstdint>

namespace brontel {

struct FileId {
    uint16_t value = 0;

    [[nodiscard]] constexpr uint8_t high() const { return static_cast<uint8_t>(value >> 8); }
    [[nodiscard]] constexpr uint8_t low() const { return static_cast<uint8_t>(value & 0xFF); }
    friend constexpr bool operator==(FileId, FileId) = default;
};

namespace files {
inline constexpr FileId kMasterFile{0x3F00};
inline constexpr FileId kTelecom{0x7F10};
inline constexpr FileId kGsm{0x7F20};
inline constexpr FileId kIden{0x7F31}; // iDEN extended phone book
inline constexpr FileId kIccid{0x2FE2};
inline constexpr FileId kImsi{0x6F07};
inline constexpr FileId kServiceProvider{0x6F46};
inline constexpr FileId kPhase{0x6FAE};
inline constexpr FileId kLocationInfo{0x6F7E};
inline constexpr FileId kAdn{0x6F3A};
inline constexpr FileId kFdn{0x6F3B};
inline constexpr FileId kSms{0x6F3C};
inline constexpr FileId kMsisdn{0x6F40};
inline constexpr FileId kLnd{0x6F44};
inline constexpr FileId kSdn{0x6F49};
inline constexpr FileId kBdn{0x6F4D};
inline constexpr FileId kExt1{0x6F4A};
inline constexpr FileId kExt2{0x6F4B};
inline constexpr FileId kExt3{0x6F4C};
inline constexpr FileId kExt4{0x6F4E};
inline constexpr FileId kIdenValues1{0x6F2A};
inline constexpr FileId kIdenValues2{0x6F2B};
inline constexpr FileId kIdenValues3{0x6F2C};
inline constexpr FileId kIdenEmail{0x6F26};
// DF PHONEBOOK under DF telecom and its fixed files (TS 31.102 4.4.2).
inline constexpr FileId kPhoneBook{0x5F3A};
inline constexpr FileId kPhoneBookReference{0x4F30};
inline constexpr FileId kPhoneBookSyncCounter{0x4F22};
inline constexpr FileId kPhoneBookChangeCounter{0x4F23};
inline constexpr FileId kPhoneBookPreviousUid{0x4F24};
} // namespace files

} // namespace brontel
