#include "codec/EmailText.h"

#include <algorithm>

namespace brontel::codec {

CodePageBytes emailBytes(std::u16string_view text, unsigned codePage) {
    return toCodePageWithin(text, codePage, kMaxEmailBytes);
}

std::u16string emailText(std::string_view bytes, unsigned codePage) {
    return fromCodePageUntilNul(bytes.substr(0, kMaxEmailBytes), codePage, kMaxEmailCharacters);
}

std::vector<std::string_view> continuationPieces(std::string_view email, size_t recordLength) {
    std::vector<std::string_view> pieces;
    if (recordLength < kMinContinuationRecordLength) {
        return pieces;
    }
    const size_t pieceLength = recordLength - 1;
    for (size_t at = kEmailBytesInValueRecord; at < email.size(); at += pieceLength) {
        pieces.push_back(email.substr(at, pieceLength));
    }
    return pieces;
}

std::vector<uint8_t> buildContinuationRecord(std::string_view piece, size_t recordLength,
                                             uint8_t next) {
    std::vector<uint8_t> record(recordLength, 0);
    if (recordLength == 0) {
        return record;
    }
    const size_t length = std::min(piece.size(), recordLength - 1);
    std::copy_n(piece.begin(), length, record.begin());
    record.back() = next;
    return record;
}

ContinuationRecord parseContinuationRecord(std::span<const uint8_t> record) {
    ContinuationRecord out;
    if (record.empty()) {
        return out;
    }
    const auto text = record.first(record.size() - 1);
    const auto end = std::find(text.begin(), text.end(), uint8_t{0});
    out.text.assign(text.begin(), end);
    out.next = record.back();
    return out;
}

} // namespace brontel::codec
