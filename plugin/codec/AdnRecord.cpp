#include "codec/AdnRecord.h"

#include "codec/AlphaIdentifier.h"

#include <algorithm>

namespace brontel::codec {

std::optional<AdnRecord> parseAdnRecord(std::span<const uint8_t> record) {
    if (record.size() < kAdnMinRecordLength) {
        return std::nullopt;
    }
    const size_t alphaLength = record.size() - kAdnNumberLength;
    const auto number = record.subspan(alphaLength).first<kAdnNumberLength>();
    return AdnRecord{decodeAlphaIdentifier(record.first(alphaLength)), decodeAdnNumber(number),
                     adnExtensionRecord(number)};
}

EncodedAdnRecord buildAdnRecord(size_t recordLength, std::u16string_view name,
                                std::u16string_view number) {
    EncodedAdnRecord out;
    if (recordLength < kAdnMinRecordLength) {
        out.bytes.assign(recordLength, 0xFF);
        out.didNotFit = !name.empty() || !number.empty();
        return out;
    }
    const size_t alphaLength = recordLength - kAdnNumberLength;
    const bool nameCut = name.size() > kMaxNameCharacters;
    size_t nameLength = std::min(name.size(), kMaxNameCharacters);
    if (nameCut && name[nameLength - 1] >= 0xD800 && name[nameLength - 1] <= 0xDBFF) {
        --nameLength; // never half a surrogate pair
    }
    EncodedBytes alpha = encodeAlphaIdentifier(name.substr(0, nameLength), alphaLength);
    EncodedAdnNumber digits = encodeAdnNumber(number);
    out.bytes = std::move(alpha.bytes);
    out.bytes.insert(out.bytes.end(), digits.field.begin(), digits.field.end());
    out.extensionBcd = std::move(digits.extensionBcd);
    out.didNotFit = nameCut || alpha.didNotFit || digits.didNotFit;
    return out;
}

void setAdnExtensionRecord(std::span<uint8_t> record, uint8_t id) {
    if (record.size() >= kAdnMinRecordLength) {
        record[record.size() - kAdnNumberLength + kAdnExtensionIdOffset] = id;
    }
}

} // namespace brontel::codec
