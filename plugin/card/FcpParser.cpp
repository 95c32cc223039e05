#include "card/FcpParser.h"

#include "card/BerTlv.h"

#include <algorithm>

namespace brontel {

namespace {

constexpr uint8_t kAlways = 0x0;
constexpr uint8_t kPin1Level = 0x1;
constexpr uint8_t kPin2Level = 0x2;
constexpr uint8_t kAdministrative = 0x4;
constexpr uint8_t kNever = 0xF;

// Access mode bits of an EF (ISO 7816-4 table 17).
constexpr uint8_t kModeRead = 0x01;
constexpr uint8_t kModeUpdate = 0x02;
constexpr uint8_t kModeDeactivate = 0x08;
constexpr uint8_t kModeActivate = 0x10;

uint16_t bigEndian(std::span<const uint8_t> bytes) {
    uint32_t value = 0;
    for (const uint8_t b : bytes) {
        value = value << 8 | b;
        if (value > 0xFFFF) {
            return 0xFFFF; // sizes beyond what the description holds
        }
    }
    return static_cast<uint16_t>(value);
}

// The level a security condition data object asks for: always (90), never
// (97), a key (A4 with 83), or the easiest (A0, OR) or hardest (AF, AND) of
// the conditions it holds.
uint8_t levelOf(const TlvObject& condition) {
    switch (condition.tag) {
    case 0x90:
        return kAlways;
    case 0x97:
        return kNever;
    case 0xA4: {
        const auto key = TlvReader::find(condition.value, 0x83);
        return key && key->value.size() == 1 ? access_level_of_key(key->value[0]) : kAdministrative;
    }
    case 0xA0:
    case 0xAF: {
        const bool anyOf = condition.tag == 0xA0;
        uint8_t level = anyOf ? kNever : kAlways;
        TlvReader inner(condition.value);
        while (const auto part = inner.next()) {
            const uint8_t each = levelOf(*part);
            level = anyOf ? std::min(level, each) : std::max(level, each);
        }
        return level;
    }
    default:
        return kAdministrative;
    }
}

void applyMode(uint8_t mode, uint8_t level, SimFileInfo& info) {
    if (mode & kModeRead) {
        info.readCondition = level;
    }
    if (mode & kModeUpdate) {
        info.updateCondition = level;
    }
    if (mode & kModeDeactivate) {
        info.invalidateCondition = level;
    }
    if (mode & kModeActivate) {
        info.rehabilitateCondition = level;
    }
}

// Expanded format: access mode data objects (80) each followed by their
// security condition. Command headers (84) name single instructions; an
// INCREASE (32) among them sets that condition.
bool readExpanded(std::span<const uint8_t> rules, SimFileInfo& info) {
    TlvReader reader(rules);
    while (const auto access = reader.next()) {
        const auto condition = reader.next();
        if (!condition) {
            return false;
        }
        const uint8_t level = levelOf(*condition);
        if (access->tag == 0x80 && access->value.size() == 1) {
            applyMode(access->value[0], level, info);
        } else if (access->tag == 0x84 && access->value.size() >= 2 && access->value[1] == 0x32) {
            info.increaseCondition = level;
        }
    }
    return !reader.malformed();
}

// Compact format: the access mode byte, then one condition byte for each
// bit set from b7 down to b1. 00 is always, FF never; anything else asks for
// a user verification whose key the byte does not name: PIN1's level.
bool readCompact(std::span<const uint8_t> rules, SimFileInfo& info) {
    if (rules.empty()) {
        return false;
    }
    const uint8_t mode = rules[0];
    size_t next = 1;
    for (int bit = 6; bit >= 0; --bit) {
        const auto flag = static_cast<uint8_t>(1u << bit);
        if ((mode & flag) == 0) {
            continue;
        }
        if (next >= rules.size()) {
            return false;
        }
        const uint8_t sc = rules[next++];
        applyMode(flag, sc == 0x00 ? kAlways : sc == 0xFF ? kNever : kPin1Level, info);
    }
    return true;
}

// PS_DO (90) holds one bit per key reference (83) that follows, b8 of its
// first byte for the first: set when that PIN is enabled.
void readPinStatus(std::span<const uint8_t> tmpl, SimFileInfo& info) {
    TlvReader reader(tmpl);
    std::span<const uint8_t> enabled;
    size_t index = 0;
    while (const auto object = reader.next()) {
        if (object->tag == 0x90) {
            enabled = object->value;
        } else if (object->tag == 0x83 && object->value.size() == 1) {
            if (object->value[0] == 0x01 && index / 8 < enabled.size()) {
                const bool on = (enabled[index / 8] >> (7 - index % 8)) & 1;
                info.chv1Disabled = on ? 0 : 1;
            }
            ++index;
        }
    }
}

void readDescriptor(std::span<const uint8_t> fd, SimFileInfo& info, bool& valid) {
    if (fd.empty()) {
        valid = false;
        return;
    }
    const uint8_t descriptor = fd[0];
    if ((descriptor & 0xBF) == 0x38) {
        info.fileType = kFileTypeDf; // MF decided by the identifier
        return;
    }
    if ((descriptor & 0x38) == 0x38) {
        valid = false; // a BER-TLV EF
        return;
    }
    info.fileType = kFileTypeEf;
    switch (descriptor & 0x07) {
    case 0x01:
        info.structure = kTransparent;
        break;
    case 0x02:
        info.structure = kLinearFixed;
        break;
    case 0x06:
        info.structure = kCyclic;
        break;
    default:
        valid = false; // BER-TLV and other structures this plug-in has no use for
        return;
    }
    if (info.structure != kTransparent) {
        // Record length in two bytes, then the number of records.
        if (fd.size() < 5 || fd[2] != 0) {
            valid = false;
            return;
        }
        info.recordLength = fd[3];
        info.fileSize = static_cast<uint16_t>(fd[3] * fd[4]);
    }
}

} // namespace

uint8_t access_level_of_key(uint8_t keyReference) {
    if ((keyReference >= 0x01 && keyReference <= 0x08) || keyReference == 0x11) {
        return kPin1Level;
    }
    if (keyReference >= 0x81 && keyReference <= 0x88) {
        return kPin2Level;
    }
    if (keyReference >= 0x0A && keyReference <= 0x0E) {
        return static_cast<uint8_t>(kAdministrative + keyReference - 0x0A);
    }
    return kAdministrative;
}

bool parse_fcp(std::span<const uint8_t> data, SimFileInfo& info) {
    const uint16_t requested = info.length;
    info = SimFileInfo{};
    info.length = requested;
    const auto fcp = TlvReader::find(data, 0x62);
    if (!fcp) {
        return false;
    }
    bool valid = true;
    bool haveDescriptor = false;
    bool haveId = false;
    // Referenced security attributes point into EF ARR, which this reading
    // does not follow: PIN1 guards reading and updating until told otherwise.
    info.readCondition = kPin1Level;
    info.updateCondition = kPin1Level;
    info.invalidateCondition = kAdministrative;
    info.rehabilitateCondition = kAdministrative;
    info.increaseCondition = kNever;
    TlvReader reader(fcp->value);
    while (const auto object = reader.next()) {
        const auto value = object->value;
        switch (object->tag) {
        case 0x82:
            haveDescriptor = true;
            readDescriptor(value, info, valid);
            break;
        case 0x83:
            haveId = value.size() == 2;
            if (haveId) {
                info.fileId = bigEndian(value);
            }
            break;
        case 0x80:
            if (!value.empty()) {
                info.fileSize = bigEndian(value);
            }
            break;
        case 0x8A:
            // Life cycle status 04/06 (deactivated) or 05/07 (activated).
            if (value.size() == 1 && (value[0] & 0xFC) == 0x04) {
                info.invalidated = (value[0] & 0x01) == 0 ? 1 : 0;
            }
            break;
        case 0xAB:
            valid = readExpanded(value, info) && valid;
            break;
        case 0x8C:
            valid = readCompact(value, info) && valid;
            break;
        case 0xA5:
            if (const auto memory = TlvReader::find(value, 0x83)) {
                info.freeMemory = bigEndian(memory->value);
            }
            break;
        case 0xC6:
            readPinStatus(value, info);
            break;
        default:
            break; // 84 name, 88 short identifier, 8B referenced security, 81 total size
        }
    }
    if (info.fileType == kFileTypeDf && info.fileId == 0x3F00) {
        info.fileType = kFileTypeMf;
    }
    if (info.isDirectory()) {
        info.fileSize = 0;
    }
    return valid && haveDescriptor && haveId && !reader.malformed();
}

} // namespace brontel
