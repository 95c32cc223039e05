#include "codec/PhoneBookReference.h"

namespace brontel::codec {

namespace {

std::optional<ReferenceKind> constructedKind(uint8_t tag) {
    switch (tag) {
    case 0xA8:
        return ReferenceKind::ByRecordNumber;
    case 0xA9:
        return ReferenceKind::ThroughIap;
    case 0xAA:
        return ReferenceKind::Linked;
    default:
        return std::nullopt;
    }
}

// One-byte BER lengths, and the two-byte form 81 xx.
std::optional<std::pair<size_t, size_t>> readLength(std::span<const uint8_t> bytes, size_t at) {
    if (at >= bytes.size()) {
        return std::nullopt;
    }
    if (bytes[at] < 0x80) {
        return std::pair{static_cast<size_t>(bytes[at]), at + 1};
    }
    if (bytes[at] == 0x81 && at + 1 < bytes.size()) {
        return std::pair{static_cast<size_t>(bytes[at + 1]), at + 2};
    }
    return std::nullopt;
}

} // namespace

std::vector<ReferencedFile> parsePhoneBookReference(std::span<const uint8_t> record) {
    std::vector<ReferencedFile> files;
    size_t at = 0;
    // 'FF' (or '00') where a tag would start: the rest of the record is unused.
    while (at < record.size() && record[at] != 0xFF && record[at] != 0x00) {
        const uint8_t tag = record[at];
        const auto length = readLength(record, at + 1);
        if (!length || length->second + length->first > record.size()) {
            break;
        }
        const size_t end = length->second + length->first;
        if (const std::optional<ReferenceKind> kind = constructedKind(tag)) {
            size_t inner = length->second;
            while (inner + 2 <= end) {
                const uint8_t fileTag = record[inner];
                const size_t fileLength = record[inner + 1];
                if (inner + 2 + fileLength > end) {
                    break;
                }
                if (fileLength >= 2) {
                    ReferencedFile file{
                        fileTag, *kind,
                        static_cast<uint16_t>(record[inner + 2] << 8 | record[inner + 3]),
                        std::nullopt};
                    if (fileLength >= 3) {
                        file.sfi = record[inner + 4];
                    }
                    files.push_back(file);
                }
                inner += 2 + fileLength;
            }
        }
        at = end;
    }
    return files;
}

std::vector<ReferencedFile> filesTagged(const std::vector<ReferencedFile>& files, uint8_t tag) {
    std::vector<ReferencedFile> tagged;
    for (const ReferencedFile& file : files) {
        if (file.tag == tag) {
            tagged.push_back(file);
        }
    }
    return tagged;
}

} // namespace brontel::codec
