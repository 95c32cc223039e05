#include "card/FileDescription.h"

#include <optional>

namespace brontel {

namespace {

// Byte offsets of the description (0-based).
constexpr size_t kSizeOrFreeMemory = 2;
constexpr size_t kId = 4;
constexpr size_t kType = 6;
constexpr size_t kIncreaseFlag = 7;
constexpr size_t kReadUpdate = 8;
constexpr size_t kIncrease = 9;
constexpr size_t kRehabilitateInvalidate = 10;
constexpr size_t kFileStatus = 11;
constexpr size_t kFollowingLength = 12;
constexpr size_t kCharacteristicsOrStructure = 13;
constexpr size_t kDfCountOrRecordLength = 14;
constexpr size_t kEfCount = 15;
constexpr size_t kChv1Status = 18;
constexpr size_t kUnblockChv1Status = 19;
constexpr size_t kChv2Status = 20;
constexpr size_t kUnblockChv2Status = 21;

// Sets fields from bytes that may not have arrived, remembering whether any
// was missing.
class FieldReader {
public:
    explicit FieldReader(std::span<const uint8_t> data) : m_data(data) {}

    [[nodiscard]] std::optional<uint8_t> byte(size_t offset) const {
        if (offset >= m_data.size()) {
            return std::nullopt;
        }
        return m_data[offset];
    }

    template <typename Field, typename Convert>
    void take(Field& field, size_t offset, Convert convert) {
        if (const auto b = byte(offset)) {
            field = static_cast<Field>(convert(*b));
        } else {
            m_complete = false;
        }
    }
    template <typename Field> void take(Field& field, size_t offset) {
        take(field, offset, [](uint8_t b) { return b; });
    }
    // Two bytes, high byte first.
    void takeWord(uint16_t& field, size_t offset) {
        const auto high = byte(offset);
        const auto low = byte(offset + 1);
        if (high && low) {
            field = static_cast<uint16_t>(*high << 8 | *low);
        } else {
            m_complete = false;
        }
    }

    [[nodiscard]] bool complete() const { return m_complete; }

private:
    std::span<const uint8_t> m_data;
    bool m_complete = true;
};

uint8_t lowNibble(uint8_t b) {
    return b & 0x0F;
}
uint8_t highNibble(uint8_t b) {
    return b >> 4;
}

void takeDirectoryFields(FieldReader& r, SimFileInfo& info) {
    r.take(info.dfCount, kDfCountOrRecordLength);
    r.take(info.efCount, kEfCount);
    r.take(info.chv1Disabled, kCharacteristicsOrStructure, [](uint8_t b) { return b >> 7; });
    r.take(info.chv1Attempts, kChv1Status, lowNibble);
    r.take(info.unblockChv1Attempts, kUnblockChv1Status, lowNibble);
    r.take(info.chv2Attempts, kChv2Status, lowNibble);
    r.take(info.unblockChv2Attempts, kUnblockChv2Status, lowNibble);
}

void takeRecordShape(FieldReader& r, SimFileInfo& info) {
    r.take(info.structure, kCharacteristicsOrStructure);
    r.take(info.recordLength, kDfCountOrRecordLength);
}

void takeElementaryFields(FieldReader& r, SimFileInfo& info) {
    takeRecordShape(r, info);
    r.take(info.increaseAllowed, kIncreaseFlag, [](uint8_t b) { return (b & 0x40) >> 6; });
    r.take(info.invalidated, kFileStatus, [](uint8_t b) { return (b & 0x01) == 0 ? 1 : 0; });
    r.take(info.readableWhenInvalidated, kFileStatus,
           [](uint8_t b) { return (b & 0x04) != 0 ? 1 : 0; });
    r.take(info.readCondition, kReadUpdate, highNibble);
    r.take(info.updateCondition, kReadUpdate, lowNibble);
    r.take(info.increaseCondition, kIncrease, highNibble);
    r.take(info.invalidateCondition, kRehabilitateInvalidate, lowNibble);
    r.take(info.rehabilitateCondition, kRehabilitateInvalidate, highNibble);
}

} // namespace

DescriptionParse parse_file_description(std::span<const uint8_t> data, SimFileInfo& info) {
    info = SimFileInfo{};
    FieldReader r(data);
    r.takeWord(info.freeMemory, kSizeOrFreeMemory);
    r.takeWord(info.fileId, kId);
    r.take(info.fileType, kType);

    const auto following = r.byte(kFollowingLength);
    if (!following) {
        return {false, false};
    }
    if (*following == 0) {
        return {r.complete(), false};
    }
    if (info.isDirectory()) {
        takeDirectoryFields(r, info);
        return {r.complete(), true};
    }
    if (info.fileType == kFileTypeEf) {
        info.fileSize = info.freeMemory;
        info.freeMemory = 0;
        takeElementaryFields(r, info);
        return {r.complete(), true};
    }
    return {r.complete(), false};
}

bool read_description_fields(std::span<const uint8_t> data, SimFileInfo& info) {
    FieldReader r(data);
    const auto type = r.byte(kType);
    if (!type) {
        return false;
    }
    info.fileType = *type;
    if (info.fileType == kFileTypeEf) {
        r.takeWord(info.fileSize, kSizeOrFreeMemory);
        takeRecordShape(r, info);
    } else if (info.isDirectory()) {
        r.takeWord(info.freeMemory, kSizeOrFreeMemory);
        takeDirectoryFields(r, info);
    }
    return r.complete();
}

} // namespace brontel
