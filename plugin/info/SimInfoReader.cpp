#include "info/SimInfoReader.h"

#include "card/SIMCard.h"
#include "codec/AlphaIdentifier.h"
#include "info/IdentityDigits.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <vector>

namespace brontel {

namespace {

template <size_t N> void storeText(char16_t (&field)[N], std::u16string_view text) {
    std::fill(std::begin(field), std::end(field), u'\0');
    std::copy_n(text.begin(), std::min(text.size(), N - 1), field);
}

// The contents of a transparent EF (TS 51.011 9.2.1, 9.2.3), as many bytes as
// the card sent; nothing when the file cannot be selected, described or read
// or is not a transparent EF.
std::optional<std::vector<uint8_t>> readTransparent(SIMCard& card, FileId id) {
    SimFileInfo info;
    if (card.select(id, &info.length) == 0 || card.status(&info, 0) == 0) {
        return std::nullopt;
    }
    if (info.fileType != kFileTypeEf || info.structure != kTransparent) {
        return std::nullopt;
    }
    std::array<uint8_t, 256> buffer{};
    const auto wanted = static_cast<uint8_t>(info.fileSize & 0xFF);
    if (card.read_binary(0, buffer, wanted) == 0) {
        return std::nullopt;
    }
    // P3 = 0 asks for 256 bytes; never more than the card sent or the file holds.
    const size_t sent = std::min(card.response_data().size(), buffer.size());
    const size_t size = std::min<size_t>(info.fileSize, sent);
    return std::vector<uint8_t>(buffer.begin(), buffer.begin() + static_cast<ptrdiff_t>(size));
}

void readPinState(const SimFileInfo& master, SimInfo& info) {
    info.pin1Enabled = master.chv1Disabled == 0 ? 1 : 0;
    info.pin1Attempts = master.chv1Attempts;
    info.puk1Attempts = master.unblockChv1Attempts;
    info.pin2Attempts = master.chv2Attempts;
    info.puk2Attempts = master.unblockChv2Attempts;
}

// A UICC's FCP holds no counters: VERIFY and UNBLOCK without data tell them.
// A PIN that needs no verification now (verified, or disabled) answers 9000
// instead; its counter stands at the maximum a verification resets it to,
// which the card does not tell: the usual 3 for a PIN and 10 for a PUK.
void readUiccAttempts(SIMCard& card, SimInfo& info) {
    constexpr uint8_t kVerify = 0x20;
    constexpr uint8_t kUnblock = 0x2C;
    constexpr uint8_t kUsualPinAttempts = 3;
    constexpr uint8_t kUsualUnblockAttempts = 10;
    info.pin1Attempts = card.attempts_left(kVerify, 1).value_or(kUsualPinAttempts);
    info.puk1Attempts = card.attempts_left(kUnblock, 1).value_or(kUsualUnblockAttempts);
    info.pin2Attempts = card.attempts_left(kVerify, 2).value_or(kUsualPinAttempts);
    info.puk2Attempts = card.attempts_left(kUnblock, 2).value_or(kUsualUnblockAttempts);
}

// The subscriber's files: DF GSM, or on a UICC without it the USIM.
bool selectSubscriberDirectory(SIMCard& card) {
    if (card.select(files::kGsm) != 0) {
        return true;
    }
    return card.is_uicc() && card.select_usim() != 0;
}

void clearDetails(SimInfo& info) {
    std::fill(std::begin(info.iccid), std::end(info.iccid), u'\0');
    std::fill(std::begin(info.imsi), std::end(info.imsi), u'\0');
    std::fill(std::begin(info.serviceProvider), std::end(info.serviceProvider), u'\0');
    info.phase = 0;
    info.location = 0;
}

void readServiceProvider(SIMCard& card, SimInfo& info) {
    const auto file = readTransparent(card, files::kServiceProvider);
    if (!file || file->empty()) {
        return;
    }
    // Byte 0 is the display condition (TS 51.011 10.3.11).
    const std::span<const uint8_t> name(file->data() + 1, file->size() - 1);
    storeText(info.serviceProvider,
              codec::decodeAlphaIdentifier(name, std::size(info.serviceProvider) - 1));
}

void readBookAttributes(SIMCard& card, SimInfo& info) {
    if (info.book_file == -1) {
        return;
    }
    const int id = info.book_file & 0xFFFF;
    PhoneBookRequest request{};
    if (get_phone_book(&card, id, &request) != 1) {
        return;
    }
    info.bookAttributes[0] = request.fileSize;
    info.bookAttributes[1] = request.fileType;
    info.bookAttributes[2] = request.structure;
    info.bookAttributes[3] = request.recordLength;
    info.bookAttributes[4] = request.readCondition;
    info.bookAttributes[5] = request.updateCondition;
    info.book_file = id;
}

} // namespace

int readSimInfo(SIMCard& card, SimInfo& info) {
    storeText(info.atrText, card.atr_text());

    SimFileInfo master;
    if (card.select(files::kMasterFile, &master.length) == 0 || card.status(&master, 1) == 0) {
        return 0;
    }
    readPinState(master, info);
    if (card.is_uicc()) {
        readUiccAttempts(card, info);
    }
    clearDetails(info);
    if (card.is_uicc()) {
        info.phase = kPhaseUicc;
    }
    if (info.read_details == 0) {
        return 1;
    }

    if (const auto iccid = readTransparent(card, files::kIccid)) {
        decodeIccid(*iccid, info.iccid);
    }
    if (!selectSubscriberDirectory(card)) {
        return 1;
    }
    if (const auto imsi = readTransparent(card, files::kImsi)) {
        decodeImsi(*imsi, info.imsi);
    }
    readServiceProvider(card, info);
    if (const auto phase = card.is_uicc() ? std::nullopt : readTransparent(card, files::kPhase);
        phase && !phase->empty()) {
        info.phase = (*phase)[0];
    }

    // Bytes 4 to 6: MCC and MNC of the location area identity (TS 51.011 10.3.17).
    if (const auto loci = readTransparent(card, files::kLocationInfo); loci && loci->size() >= 7) {
        info.location = ((*loci)[4] << 16) | ((*loci)[5] << 8) | (*loci)[6];
    }
    readBookAttributes(card, info);
    return 1;
}

} // namespace brontel
