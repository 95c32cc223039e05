#pragma once
// What a category holds, identified by the SIM elementary-file id of the book.

#include <array>
#include <cstdint>
#include <string>

namespace pelmora::model {

enum BookKind : uint16_t {
    kBookNextel = 0x0000, // iDEN extended phone book (3F00/7F31)
    kBookAdn = 0x6F3A,
    kBookFdn = 0x6F3B,
    kBookSms = 0x6F3C,
    kBookMsisdn = 0x6F40,
    kBookLnd = 0x6F44,
    kBookSdn = 0x6F49,
    kBookBdn = 0x6F4D,
    kBookUsim = 0x4F3A, // USIM phone book (3F00/7F10/5F3A, described by its EF PBR)
    kBookNone = 0xFFFF, // a category not yet given a kind
};

// The order in which a new document lists its books and a card is probed;
// the USIM book joins a card document only when the card has one.
inline constexpr std::array<uint16_t, 8> kBookCreationOrder = {
    kBookNextel, kBookAdn, kBookMsisdn, kBookLnd, kBookFdn, kBookSdn, kBookBdn, kBookSms};

[[nodiscard]] constexpr bool isPhoneBookKind(uint16_t kind) {
    switch (kind) {
    case kBookNextel:
    case kBookAdn:
    case kBookFdn:
    case kBookMsisdn:
    case kBookLnd:
    case kBookSdn:
    case kBookBdn:
    case kBookUsim:
        return true;
    default:
        return false;
    }
}

// Every book a .phn file may hold, in the order its sections are read.
inline constexpr std::array<uint16_t, 9> kBookFileOrder = {
    kBookNextel, kBookAdn, kBookMsisdn, kBookLnd, kBookFdn, kBookSdn, kBookBdn, kBookSms, kBookUsim};

[[nodiscard]] constexpr bool isMessageKind(uint16_t kind) {
    return kind == kBookSms;
}

// Section name of a book in .phn files: the id as four upper-case hex digits.
[[nodiscard]] std::u16string bookSectionName(uint16_t kind);

// The book's caption in the language in use (texts 24 to 31 in creation
// order, 1340 for the USIM book); its section name when the language has none.
[[nodiscard]] std::u16string bookCaption(uint16_t kind);

// Slot counts of the books of a new document (and of books made from a .csv).
struct BookCapacities {
    uint32_t nextel = 600;
    uint32_t adn = 300;
    uint32_t msisdn = 10;
    uint32_t lnd = 20;
    uint32_t fdn = 20;
    uint32_t sdn = 20;
    uint32_t bdn = 20;
    uint32_t sms = 30;
    uint32_t usim = 500;

    [[nodiscard]] uint32_t forKind(uint16_t kind) const;
};

} // namespace pelmora::model
