#pragma once
// A value record of the iDEN phone book (files 6F2A..6F2C under 7F31). Record
// length R is at least 40: the contact's name (ANSI code page) fills the front,
// the last 39 bytes are fixed:
//   R-39 length of a number's BCD contents (0xFF for other values)
//   R-38 TON/NPI     R-37..R-28 value     R-26 first e-mail continuation record
//   R-25 value type  R-15 0x80            contact number, big-endian
// Every other byte is 0. A contact number of 0 marks a free record.

#include "codec/EncodedBytes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace brontel::codec {

constexpr size_t kIdenMinRecordLength = 40;
constexpr size_t kIdenNumberDigits = 20;
constexpr int kIdenValueTypes = 11; // PhoneBookValue kValueMain .. kValueEmail

struct IdenRecord {
    uint16_t contact = 0; // 1-based index into the editor's array
    int type = 0;         // PhoneBookValue
    std::u16string name;
    // The value as the editor shows it. Reading an e-mail gives only the bytes
    // held in the record (see emailBytesInRecord); writing one takes the whole
    // address and stores its first bytes.
    std::u16string value;
    uint8_t emailContinuation = 0;
};

// nullopt for a record shorter than 40 bytes, a free record or an unknown type.
[[nodiscard]] std::optional<IdenRecord> parseIdenRecord(std::span<const uint8_t> record,
                                                        unsigned codePage);

// The e-mail bytes an e-mail value record holds, before any continuation.
[[nodiscard]] std::string emailBytesInRecord(std::span<const uint8_t> record);

// A record of recordLength bytes. A value that cannot be stored (a private ID,
// talkgroup or chat address out of range, a number past 20 digits or with
// characters that have no digit code, a name or e-mail cut or not held by the
// code page, a type without an encoding) is reported; refused values are stored
// as zeros, a type without an encoding leaves the record free.
EncodedBytes buildIdenRecord(size_t recordLength, const IdenRecord& content, unsigned codePage);

} // namespace brontel::codec
