#include "codec/IdenValueRecord.h"

#include "Brontel.h"
#include "codec/ChatAddress.h"
#include "codec/CodePageText.h"
#include "codec/DiallingNumber.h"
#include "codec/EmailText.h"
#include "codec/PrivateId.h"
#include "codec/Talkgroup.h"

#include <algorithm>

namespace brontel::codec {

namespace {

constexpr size_t kFixedLength = 39;
constexpr size_t kValueLength = 10;
constexpr uint8_t kMarker = 0x80;
constexpr uint8_t kNoLength = 0xFF;

// Offsets of the fixed fields in a record of length R.
struct Layout {
    size_t R;
    size_t nameLength() const { return R - kFixedLength; }
    size_t lengthByte() const { return R - 39; }
    size_t tonNpi() const { return R - 38; }
    size_t value() const { return R - 37; }
    size_t talkgroup() const { return R - 34; }
    size_t emailContinuation() const { return R - 26; }
    size_t type() const { return R - 25; }
    size_t marker() const { return R - 15; }
    size_t contact() const { return R - 9; }
};

std::u16string numberText(std::span<const uint8_t> record, const Layout& at) {
    const uint8_t length = record[at.lengthByte()];
    if (length == 0 || length > kValueLength + 1) {
        return {};
    }
    std::u16string digits = unpackBcd(record.subspan(at.value(), length - 1u), kIdenNumberDigits);
    if (!digits.empty() && isInternational(record[at.tonNpi()])) {
        digits.insert(digits.begin(), u'+');
    }
    return digits;
}

std::u16string valueText(std::span<const uint8_t> record, const Layout& at, int type,
                         unsigned codePage) {
    const auto value = record.subspan(at.value(), kValueLength);
    switch (type) {
    case kValuePrivateId:
        if (auto id = unpackPrivateId(value.first<kPrivateIdLength>())) {
            return privateIdText(*id);
        }
        return {};
    case kValueTalkgroup:
        return talkgroupText(record[at.talkgroup()]);
    case kValueChatAddress:
        return chatAddressText(value.first<4>());
    case kValueEmail:
        return emailText(emailBytesInRecord(record), codePage);
    default:
        return numberText(record, at);
    }
}

// Writes a number; false when characters were dropped or digits past the 20th cut.
bool writeNumber(std::vector<uint8_t>& record, const Layout& at, std::u16string_view text) {
    DiallingNumber number = parseDiallingNumber(text);
    const bool cut = number.digits.size() > kIdenNumberDigits;
    number.digits.resize(std::min(number.digits.size(), kIdenNumberDigits));
    const std::vector<uint8_t> bcd = packBcd(number.digits);
    std::fill_n(record.begin() + static_cast<ptrdiff_t>(at.value()), kValueLength, 0xFF);
    std::copy(bcd.begin(), bcd.end(), record.begin() + static_cast<ptrdiff_t>(at.value()));
    record[at.lengthByte()] = static_cast<uint8_t>(bcd.size() + 1);
    record[at.tonNpi()] = number.tonNpi;
    return !cut && !number.droppedCharacters;
}

// Writes the value bytes; false when the value could not be stored as given.
bool writeValue(std::vector<uint8_t>& record, const Layout& at, const IdenRecord& content,
                unsigned codePage) {
    auto valueBytes = record.begin() + static_cast<ptrdiff_t>(at.value());
    switch (content.type) {
    case kValuePrivateId: {
        std::optional<PrivateId> id = parsePrivateId(content.value);
        std::optional<PackedPrivateId> packed = id ? packPrivateId(*id) : std::nullopt;
        if (packed) {
            std::copy(packed->begin(), packed->end(), valueBytes);
        }
        return packed.has_value();
    }
    case kValueTalkgroup: {
        std::optional<uint8_t> talkgroup = parseTalkgroup(content.value);
        record[at.talkgroup()] = talkgroup.value_or(0);
        return talkgroup.has_value();
    }
    case kValueChatAddress: {
        std::optional<ChatAddress> address = parseChatAddress(content.value);
        if (address) {
            std::copy(address->begin(), address->end(), valueBytes);
        }
        return address.has_value();
    }
    case kValueEmail: {
        CodePageBytes email = emailBytes(content.value, codePage);
        std::copy_n(email.bytes.begin(), std::min(email.bytes.size(), kEmailBytesInValueRecord),
                    valueBytes);
        record[at.emailContinuation()] = content.emailContinuation;
        return !email.didNotFit;
    }
    default:
        return writeNumber(record, at, content.value);
    }
}

} // namespace

std::optional<IdenRecord> parseIdenRecord(std::span<const uint8_t> record, unsigned codePage) {
    if (record.size() < kIdenMinRecordLength) {
        return std::nullopt;
    }
    const Layout at{record.size()};
    IdenRecord out;
    out.contact = static_cast<uint16_t>(record[at.contact()] << 8 | record[at.contact() + 1]);
    out.type = record[at.type()];
    if (out.contact == 0 || out.type >= kIdenValueTypes) {
        return std::nullopt;
    }
    const auto name = record.first(at.nameLength());
    out.name = fromCodePageUntilNul(
        std::string_view(reinterpret_cast<const char*>(name.data()), name.size()), codePage, 240);
    out.value = valueText(record, at, out.type, codePage);
    if (out.type == kValueEmail) {
        out.emailContinuation = record[at.emailContinuation()];
    }
    return out;
}

std::string emailBytesInRecord(std::span<const uint8_t> record) {
    if (record.size() < kIdenMinRecordLength) {
        return {};
    }
    const auto value = record.subspan(Layout{record.size()}.value(), kEmailBytesInValueRecord);
    const auto end = std::find(value.begin(), value.end(), uint8_t{0});
    return std::string(value.begin(), end);
}

EncodedBytes buildIdenRecord(size_t recordLength, const IdenRecord& content, unsigned codePage) {
    EncodedBytes out{std::vector<uint8_t>(recordLength, 0), false};
    if (recordLength < kIdenMinRecordLength || content.contact == 0) {
        out.didNotFit = true;
        return out;
    }
    if (content.type < 0 || content.type >= kIdenValueTypes) {
        out.didNotFit = true;
        return out;
    }
    const Layout at{recordLength};
    // The name's field keeps room for its terminator.
    CodePageBytes name = toCodePageWithin(content.name, codePage, at.nameLength() - 1);
    std::copy(name.bytes.begin(), name.bytes.end(), out.bytes.begin());
    out.bytes[at.lengthByte()] = kNoLength;
    out.bytes[at.type()] = static_cast<uint8_t>(content.type);
    out.bytes[at.marker()] = kMarker;
    out.bytes[at.contact()] = static_cast<uint8_t>(content.contact >> 8);
    out.bytes[at.contact() + 1] = static_cast<uint8_t>(content.contact & 0xFF);
    const bool stored = writeValue(out.bytes, at, content, codePage);
    out.didNotFit = name.didNotFit || !stored;
    return out;
}

} // namespace brontel::codec
