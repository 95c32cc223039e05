#include "FileControlParameters.h"

#include <array>

namespace virtualsim {

namespace {

using Bytes = std::vector<uint8_t>;

// Every object here is short: one length byte, below 128.
void put(Bytes& out, uint8_t tag, const Bytes& value) {
    out.push_back(tag);
    out.push_back(static_cast<uint8_t>(value.size()));
    out.insert(out.end(), value.begin(), value.end());
}

Bytes word(size_t value) {
    return {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
}

// The security condition of an access level: always (90), never (97) or a
// user verification (A4) of the key the level stands for.
Bytes condition(uint8_t level) {
    Bytes out;
    if (level == access::kAlways) {
        put(out, 0x90, {});
        return out;
    }
    if (level == access::kNever) {
        put(out, 0x97, {});
        return out;
    }
    const uint8_t key = level == access::kChv1 ? keyref::kPin1
                        : level == access::kChv2
                            ? keyref::kPin2
                            : static_cast<uint8_t>(keyref::kAdm1 + level - access::kAdm);
    Bytes control;
    put(control, 0x83, {key});
    put(control, 0x95, {0x08}); // user authentication, knowledge based
    put(out, 0xA4, control);
    return out;
}

// Expanded format: one access mode byte per distinct condition, naming the
// operations it rules (b1 READ, b2 UPDATE, b4 DEACTIVATE, b5 ACTIVATE).
Bytes securityAttributes(const CardFile& file) {
    const AccessConditions& ac = file.access();
    struct Operation {
        uint8_t bit;
        uint8_t level;
    };
    const std::array<Operation, 4> operations{
        {{0x01, ac.read}, {0x02, ac.update}, {0x08, ac.invalidate}, {0x10, ac.rehabilitate}}};
    Bytes out;
    uint8_t done = 0;
    for (const Operation& first : operations) {
        if (done & first.bit) {
            continue;
        }
        uint8_t mode = 0;
        for (const Operation& other : operations) {
            if (other.level == first.level) {
                mode |= other.bit;
            }
        }
        done |= mode;
        put(out, 0x80, {mode});
        const Bytes sc = condition(first.level);
        out.insert(out.end(), sc.begin(), sc.end());
    }
    return out;
}

// PIN1 and PIN2 with the enabled bits of the PS_DO, b8 for the first.
Bytes pinStatus(const CardSecurity& security) {
    uint8_t enabled = 0;
    if (security.chv(Chv::One).initialised() && security.chv1Enabled()) {
        enabled |= 0x80;
    }
    if (security.chv(Chv::Two).initialised()) {
        enabled |= 0x40;
    }
    Bytes out;
    put(out, 0x90, {enabled});
    put(out, 0x83, {keyref::kPin1});
    put(out, 0x83, {keyref::kPin2});
    return out;
}

Bytes descriptor(const CardFile& file) {
    constexpr uint8_t kDataCoding = 0x21;
    if (file.isDirectory()) {
        return {0x78, kDataCoding};
    }
    switch (file.structure()) {
    case EfStructure::Transparent:
        return {0x41, kDataCoding};
    case EfStructure::LinearFixed:
        return {0x42, kDataCoding, 0x00, static_cast<uint8_t>(file.recordLength()),
                static_cast<uint8_t>(file.recordCount())};
    case EfStructure::Cyclic:
        return {0x46, kDataCoding, 0x00, static_cast<uint8_t>(file.recordLength()),
                static_cast<uint8_t>(file.recordCount())};
    }
    return {};
}

} // namespace

std::vector<uint8_t> FileControlParameters::of(const CardFile& file, const CardSecurity& security) {
    Bytes body;
    put(body, 0x82, descriptor(file));
    put(body, 0x83, word(file.id()));
    if (!file.applicationId().empty()) {
        put(body, 0x84, file.applicationId());
    }
    if (file.isDirectory()) {
        Bytes proprietary;
        put(proprietary, 0x83,
            {0x00, 0x00, static_cast<uint8_t>(file.freeMemory() >> 8),
             static_cast<uint8_t>(file.freeMemory())});
        put(body, 0xA5, proprietary);
    }
    put(body, 0x8A, {static_cast<uint8_t>(file.invalidated() ? 0x04 : 0x05)});
    if (file.isDirectory()) {
        // Creating, deleting, deactivating and activating files is administrative.
        Bytes rules;
        put(rules, 0x80, {0x1F});
        const Bytes adm = condition(access::kAdm);
        rules.insert(rules.end(), adm.begin(), adm.end());
        put(body, 0xAB, rules);
    } else {
        put(body, 0xAB, securityAttributes(file));
    }
    if (file.isDirectory()) {
        put(body, 0xC6, pinStatus(security));
    } else {
        put(body, 0x80, word(file.size()));
        put(body, 0x88, {}); // no short file identifier
    }
    Bytes out;
    put(out, 0x62, body);
    return out;
}

std::vector<uint8_t> FileControlParameters::applicationName(const CardFile& directory) {
    Bytes out;
    put(out, 0x84, directory.applicationId());
    return out;
}

} // namespace virtualsim
