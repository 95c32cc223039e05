#pragma once
// Records of EF PBR, the reference file of a USIM phone book (TS 31.102
// 4.4.2.1): which files make up one set of entries, and how each file's
// records belong to the entries.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace brontel::codec {

// How a file's records belong to the ADN records of its set.
enum class ReferenceKind : uint8_t {
    ByRecordNumber = 1, // type 1: record i goes with ADN record i
    ThroughIap = 2,     // type 2: EF IAP of the ADN record points at the record
    Linked = 3,         // type 3: other records point at it (EXT1)
};

enum PhoneBookFileTag : uint8_t {
    kTagAdn = 0xC0,
    kTagIap = 0xC1,
    kTagExt1 = 0xC2,
    kTagSne = 0xC3,
    kTagAnr = 0xC4,
    kTagPbc = 0xC5,
    kTagGrp = 0xC6,
    kTagAas = 0xC7,
    kTagGas = 0xC8,
    kTagUid = 0xC9,
    kTagEmail = 0xCA,
    kTagCcp1 = 0xCB,
};

struct ReferencedFile {
    uint8_t tag = 0;
    ReferenceKind kind = ReferenceKind::ByRecordNumber;
    uint16_t fileId = 0;
    std::optional<uint8_t> sfi;
    friend bool operator==(const ReferencedFile&, const ReferencedFile&) = default;
};

// The files of one PBR record in the order listed. Malformed or truncated
// TLVs end the record; unknown constructed tags are skipped.
[[nodiscard]] std::vector<ReferencedFile> parsePhoneBookReference(std::span<const uint8_t> record);

// The files of one kind with the given tag, in listed order.
[[nodiscard]] std::vector<ReferencedFile> filesTagged(const std::vector<ReferencedFile>& files,
                                                      uint8_t tag);

} // namespace brontel::codec
