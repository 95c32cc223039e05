#pragma once
// A card file as its description (the answer to GET RESPONSE or STATUS)
// describes it.

#include <cstdint>

namespace brontel {

enum FileType : uint8_t { kFileTypeMf = 1, kFileTypeDf = 2, kFileTypeEf = 4 };
enum FileStructure : uint8_t { kTransparent = 0, kLinearFixed = 1, kCyclic = 3 };

struct SimFileInfo {
    uint16_t length = 0; // in: bytes to request, normally SW2 of the SELECT
    uint16_t fileSize = 0;
    uint16_t freeMemory = 0;
    uint16_t chv1Disabled = 0;
    uint16_t fileId = 0;
    uint8_t invalidated = 0;
    uint8_t readableWhenInvalidated = 0;
    // Access conditions: raw nibbles (0 always, 1 CHV1, 2 CHV2, 4..E administrative, F never).
    uint8_t updateCondition = 0;
    uint8_t readCondition = 0;
    uint8_t increaseCondition = 0;
    uint8_t invalidateCondition = 0;
    uint8_t rehabilitateCondition = 0;
    uint8_t increaseAllowed = 0;
    uint8_t fileType = 0;
    uint8_t structure = 0;
    uint8_t dfCount = 0;
    uint8_t efCount = 0;
    uint8_t chv1Attempts = 0;
    uint8_t unblockChv1Attempts = 0;
    uint8_t recordLength = 0;
    uint8_t chv2Attempts = 0;
    uint8_t unblockChv2Attempts = 0;

    // Records of a linear fixed or cyclic file, numbered from 1; 0 when the
    // record length is 0.
    [[nodiscard]] uint16_t recordCount() const {
        return recordLength == 0 ? 0 : static_cast<uint16_t>(fileSize / recordLength);
    }
    [[nodiscard]] bool isDirectory() const {
        return fileType == kFileTypeMf || fileType == kFileTypeDf;
    }
    friend bool operator==(const SimFileInfo&, const SimFileInfo&) = default;
};

} // namespace brontel
