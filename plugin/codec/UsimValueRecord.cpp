#include "codec/UsimValueRecord.h"

#include "codec/AlphaIdentifier.h"

#include <algorithm>

namespace brontel::codec {

namespace {

constexpr uint8_t kUnused = 0xFF;

void putLink(std::vector<uint8_t>& bytes, std::optional<std::array<uint8_t, 2>> link) {
    if (link && bytes.size() >= kType2LinkLength) {
        std::copy(link->begin(), link->end(), bytes.end() - kType2LinkLength);
    }
}

} // namespace

std::optional<AdditionalNumber> parseAnrRecord(std::span<const uint8_t> record) {
    if (record.size() < kAnrRecordLength) {
        return std::nullopt;
    }
    const auto number = record.subspan(1).first<kAdnNumberLength>();
    return AdditionalNumber{decodeAdnNumber(number), adnExtensionRecord(number)};
}

EncodedAnrRecord buildAnrRecord(size_t recordLength, std::u16string_view number, uint8_t aasRecord,
                                std::optional<std::array<uint8_t, 2>> link) {
    EncodedAnrRecord out;
    out.bytes.assign(recordLength, kUnused);
    if (number.empty()) {
        return out;
    }
    if (recordLength < kAnrRecordLength) {
        out.didNotFit = true;
        return out;
    }
    EncodedAdnNumber digits = encodeAdnNumber(number);
    out.bytes[0] = aasRecord;
    std::copy(digits.field.begin(), digits.field.end(), out.bytes.begin() + 1);
    out.extensionBcd = std::move(digits.extensionBcd);
    out.didNotFit = digits.didNotFit;
    putLink(out.bytes, link);
    return out;
}

void setAnrExtensionRecord(std::span<uint8_t> record, uint8_t id) {
    if (record.size() >= kAnrRecordLength) {
        record[1 + kAdnExtensionIdOffset] = id;
    }
}

std::u16string parseTextRecord(std::span<const uint8_t> record, size_t textLength) {
    const auto text = record.first(std::min(textLength, record.size()));
    if (text.empty() || text[0] == kUnused) {
        return {};
    }
    return decodeAlphaIdentifier(text);
}

EncodedBytes buildTextRecord(size_t recordLength, size_t textLength, std::u16string_view text,
                             std::optional<std::array<uint8_t, 2>> link) {
    EncodedBytes out{std::vector<uint8_t>(recordLength, kUnused), false};
    if (text.empty()) {
        return out;
    }
    textLength = std::min(textLength, recordLength);
    EncodedBytes encoded = encodeAlphaIdentifier(text, textLength);
    std::copy_n(encoded.bytes.begin(), std::min(encoded.bytes.size(), textLength),
                out.bytes.begin());
    out.didNotFit = encoded.didNotFit;
    putLink(out.bytes, link);
    return out;
}

} // namespace brontel::codec
