#include "backup/StoredRecord.h"

#include "codec/DiallingNumber.h"

#include <algorithm>
#include <array>

namespace brontel {
namespace {

constexpr std::array kNumberAtEnd{files::kAdn, files::kFdn, files::kMsisdn, files::kLnd,
                                  files::kSdn};

bool keepsNumberAtEnd(FileId file) {
    return std::find(kNumberAtEnd.begin(), kNumberAtEnd.end(), file) != kNumberAtEnd.end();
}

} // namespace

std::optional<std::vector<uint8_t>> fitStoredRecord(FileId file, std::span<const uint8_t> stored,
                                                    size_t recordLength) {
    if (stored.size() > kMaxStoredRecordLength) {
        return std::nullopt;
    }
    if (stored.size() == recordLength) {
        return std::vector<uint8_t>(stored.begin(), stored.end());
    }
    std::vector<uint8_t> record(recordLength, 0xFF);
    if (!keepsNumberAtEnd(file)) {
        const size_t kept = std::min(stored.size(), recordLength);
        std::copy_n(stored.begin(), kept, record.begin());
        return record;
    }
    constexpr size_t kNumberPart = codec::kAdnNumberLength;
    if (stored.size() < kNumberPart || recordLength < kNumberPart) {
        return std::nullopt;
    }
    const size_t storedAlpha = stored.size() - kNumberPart;
    const size_t cardAlpha = recordLength - kNumberPart;
    std::copy_n(stored.begin(), std::min(storedAlpha, cardAlpha), record.begin());
    std::copy(stored.begin() + static_cast<std::ptrdiff_t>(storedAlpha), stored.end(),
              record.begin() + static_cast<std::ptrdiff_t>(cardAlpha));
    return record;
}

} // namespace brontel
