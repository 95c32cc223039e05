#include "card/SIMCard.h"

#include "card/Apdu.h"
#include "card/BerTlv.h"
#include "card/FcpParser.h"
#include "card/FileDescription.h"
#include "card/PinBlock.h"
#include "pcsc/ContextRenewal.h"
#include "pcsc/ErrorText.h"
#include "pcsc/Winscard.h"

#include "CodePage.h"
#include "HexDigits.h"
#include "Log.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace brontel {

using pelmora::log::kTrace;
using pelmora::log::log_message;

namespace {

constexpr uint8_t kChv1 = 0x01;
// TS 102 221 9.5.1: PIN1 is the application PIN 01, PIN2 the second
// (local) PIN 81.
constexpr uint8_t kKeyPin1 = 0x01;
constexpr uint8_t kKeyPin2 = 0x81;
constexpr uint8_t kSelectReturnFcp = 0x04;
constexpr uint8_t kSelectByName = 0x04;
constexpr FileId kDirFile{0x2F00};
// TS 31.102 annex A: the RID of 3GPP and the application code of the USIM.
constexpr std::array<uint8_t, 7> kUsimAidPrefix{0xA0, 0x00, 0x00, 0x00, 0x87, 0x10, 0x02};

uint8_t keyReferenceOf(uint8_t chv) {
    return chv == 2 ? kKeyPin2 : kKeyPin1;
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// Copies text into a fixed NUL-terminated field, never splitting a surrogate pair.
template <size_t N> void storeText(std::array<char16_t, N>& field, std::u16string_view text) {
    field.fill(0);
    size_t count = std::min(text.size(), N - 1);
    if (count < text.size() && count > 0 && isHighSurrogate(text[count - 1])) {
        --count;
    }
    std::copy_n(text.begin(), count, field.begin());
}

} // namespace

SIMCard::SIMCard() = default;

SIMCard::~SIMCard() {
    if (m_card != 0) {
        disconnect();
    }
}

void SIMCard::setPcscResult(LONG result) {
    // pcsc-lite returns the 32-bit codes as positive values of a wider LONG.
    m_pcscResult = static_cast<int32_t>(static_cast<uint32_t>(result));
}

int SIMCard::connect(SCARDCONTEXT* context, std::u16string_view reader) {
    disconnect();
    if (context == nullptr) {
        return 0;
    }
    const Winscard& w = winscard;
    if (w.SCardIsValidContext != nullptr && w.SCardEstablishContext != nullptr &&
        w.SCardConnect != nullptr) {
        setPcscResult(w.SCardIsValidContext(*context));
        bool replaced = false;
        if (m_pcscResult != SCARD_S_SUCCESS) {
            if (!replace_context(context)) {
                return 0;
            }
            replaced = true;
        }
        const std::string name = pelmora::platform::toUtf8(reader);
        open_card(*context, name);
        // pcsc-lite checks a context only locally: after a restart of the
        // resource manager the old one passes the check but every call made
        // through it is refused.
        if (!replaced && refusesContext(static_cast<LONG>(static_cast<uint32_t>(m_pcscResult)))) {
            if (!replace_context(context)) {
                return 0;
            }
            open_card(*context, name);
        }
        if (m_pcscResult != SCARD_S_SUCCESS) {
            pcsc_error_text(m_pcscResult);
            return 0;
        }
    }
    return read_card_status();
}

bool SIMCard::replace_context(SCARDCONTEXT* context) {
    setPcscResult(renewContext(*context));
    return m_pcscResult == SCARD_S_SUCCESS;
}

void SIMCard::open_card(SCARDCONTEXT context, const std::string& reader) {
    DWORD protocol = 0;
    SCARDHANDLE card = 0;
    setPcscResult(winscard.SCardConnect(context, reader.c_str(), SCARD_SHARE_EXCLUSIVE,
                                        SCARD_PROTOCOL_T0, &card, &protocol));
    m_card = m_pcscResult == SCARD_S_SUCCESS ? card : 0;
}

int SIMCard::disconnect() {
    m_pcscResult = static_cast<int32_t>(SCARD_E_UNEXPECTED);
    if (m_card != 0 && winscard.SCardDisconnect != nullptr) {
        setPcscResult(winscard.SCardDisconnect(m_card, SCARD_LEAVE_CARD));
    }
    m_card = 0;
    m_uicc = false;
    m_atr.fill(0);
    m_atrLength = 0;
    m_atrText.fill(0);
    m_readerName.fill(0);
    return m_pcscResult == SCARD_S_SUCCESS ? 1 : 0;
}

int SIMCard::read_card_status() {
    if (m_card == 0 || winscard.SCardStatus == nullptr) {
        return 0;
    }
    // Room for a reader name of kReaderNameCapacity characters in UTF-8.
    std::array<char, kReaderNameCapacity * 4> name{};
    DWORD nameLength = name.size();
    DWORD state = 0;
    DWORD protocol = 0;
    std::array<uint8_t, kAtrCapacity> atr{};
    DWORD atrLength = atr.size();
    setPcscResult(winscard.SCardStatus(m_card, name.data(), &nameLength, &state, &protocol,
                                       atr.data(), &atrLength));
    if (m_pcscResult != SCARD_S_SUCCESS) {
        pcsc_error_text(m_pcscResult);
        return 0;
    }
    std::string_view utf8(name.data(), std::min<size_t>(nameLength, name.size()));
    utf8 = utf8.substr(0, utf8.find('\0'));
    storeText(m_readerName, pelmora::platform::fromUtf8(utf8));

    m_atrLength = std::min<size_t>(atrLength, atr.size());
    std::copy_n(atr.begin(), m_atrLength, m_atr.begin());
    std::u16string text;
    for (size_t i = 0; i < m_atrLength && text.size() + 2 < kAtrTextCapacity; ++i) {
        pelmora::platform::appendHexBytes(text, std::span<const uint8_t>(&m_atr[i], 1));
    }
    storeText(m_atrText, text);
    return 1;
}

int SIMCard::transmit(std::span<const uint8_t> apdu) {
    m_simError = kSimErrorNone;
    m_response.fill(0);
    m_responseLength = 0;
    if (winscard.SCardTransmit == nullptr) {
        // No status word: the command fails with sim_error 0.
        return 0;
    }
    DWORD length = m_response.size();
    setPcscResult(winscard.SCardTransmit(m_card, &m_sendHeader, apdu.data(), apdu.size(), nullptr,
                                         m_response.data(), &length));
    if (m_pcscResult != SCARD_S_SUCCESS) {
        return 0;
    }
    // An answer without a status word, or a length beyond the buffer, is not
    // a card answer to judge.
    if (length < 2 || length > m_response.size()) {
        return 0;
    }
    m_responseLength = length;
    return 1;
}

std::span<const uint8_t> SIMCard::response_data() const {
    return response().first(m_responseLength >= 2 ? m_responseLength - 2 : 0);
}

std::optional<StatusWord> SIMCard::status_word() const {
    if (m_responseLength < 2) {
        return std::nullopt;
    }
    return StatusWord{m_response[m_responseLength - 2], m_response[m_responseLength - 1]};
}

int SIMCard::check_sw(uint8_t sw1, uint8_t sw2) {
    const StatusWordVerdict verdict = m_uicc ? judge_uicc({sw1, sw2}) : judge({sw1, sw2});
    m_simError = verdict.simError;
    return verdict.success ? 1 : 0;
}

int SIMCard::exchange(const Apdu& apdu) {
    if (!transmit(apdu.bytes())) {
        return 0;
    }
    const StatusWord sw = *status_word();
    return check_sw(sw.sw1, sw.sw2);
}

int SIMCard::select(FileId id, uint16_t* length) {
    log_message(kTrace, "SIMCard::select", "id:%04X len:%d", static_cast<unsigned>(id.value),
                length != nullptr ? static_cast<int>(*length) : 0);
    Apdu apdu(kInsSelect, 0x00, m_uicc ? kSelectReturnFcp : 0x00, 0x02, command_class());
    (void)apdu.append(std::array{id.high(), id.low()});
    if (!transmit(apdu.bytes())) {
        return 0;
    }
    const StatusWord sw = *status_word();
    if (length != nullptr) {
        *length = sw.sw2;
    }
    log_message(kTrace, "SIMCard::select", "res: %04X %d", static_cast<unsigned>(sw.sw1),
                static_cast<int>(sw.sw2));
    return check_sw(sw.sw1, sw.sw2);
}

int SIMCard::status(SimFileInfo* info, int useStatus) {
    const int length = info != nullptr ? info->length : 0;
    log_message(kTrace, "SIMCard::status", "len:%d gs:%d", length, useStatus);
    Apdu apdu(useStatus != 0 ? kInsStatus : kInsGetResponse, 0x00, 0x00,
              static_cast<uint8_t>(length & 0xFF), command_class(useStatus != 0));
    if (!transmit(apdu.bytes())) {
        return 0;
    }
    const StatusWord sw = *status_word();
    log_message(kTrace, "SIMCard::status", "res:%04X %04X", static_cast<unsigned>(sw.sw1),
                static_cast<unsigned>(sw.sw2));
    if (!check_sw(sw.sw1, sw.sw2)) {
        return 0;
    }
    if (info == nullptr) {
        return 1;
    }
    DescriptionParse parse;
    if (m_uicc) {
        const bool complete = parse_fcp(response_data(), *info);
        parse = {complete, complete};
    } else {
        parse = parse_file_description(response_data(), *info);
    }
    const SimFileInfo& f = *info;
    log_message(kTrace, "SIMCard::status", "id:%04X ft:%d", static_cast<unsigned>(f.fileId),
                f.fileType);
    if (parse.hasDetails && f.isDirectory()) {
        log_message(kTrace, "SIMCard::status",
                    "dd:%d fd:%d pin:%d lpin1:%d lpuk1:%d lpin2:%d lpuk2:%d", f.dfCount, f.efCount,
                    f.chv1Disabled, f.chv1Attempts, f.unblockChv1Attempts, f.chv2Attempts,
                    f.unblockChv2Attempts);
    } else if (parse.hasDetails) {
        log_message(kTrace, "SIMCard::status",
                    "fs:%d fst:%d rl:%d ci:%d ivd:%d ri:%d rs:%d u:%d ic:%d iv:%d rh:%d",
                    f.fileSize, f.structure, f.recordLength, f.increaseAllowed, f.invalidated,
                    f.readableWhenInvalidated, f.readCondition, f.updateCondition,
                    f.increaseCondition, f.invalidateCondition, f.rehabilitateCondition);
    }
    return parse.complete ? 1 : 0;
}

int SIMCard::get_response(uint8_t length, SimFileInfo* info) {
    Apdu apdu(kInsGetResponse, 0x00, 0x00, length, command_class());
    if (!exchange(apdu)) {
        return 0;
    }
    if (info == nullptr) {
        return 1;
    }
    if (!m_uicc) {
        return read_description_fields(response_data(), *info) ? 1 : 0;
    }
    SimFileInfo fcp;
    if (!parse_fcp(response_data(), fcp)) {
        return 0;
    }
    info->fileType = fcp.fileType;
    info->fileSize = fcp.fileSize;
    info->structure = fcp.structure;
    info->recordLength = fcp.recordLength;
    info->freeMemory = fcp.freeMemory;
    info->chv1Disabled = fcp.chv1Disabled;
    return 1;
}

int SIMCard::read_record(uint8_t record, uint8_t length, uint8_t mode, std::span<uint8_t> buffer) {
    const auto target = buffer.first(std::min<size_t>(length, buffer.size()));
    std::fill(target.begin(), target.end(), 0xFF);
    Apdu apdu(kInsReadRecord, record, mode, length, command_class());
    if (!transmit(apdu.bytes())) {
        return 0;
    }
    const auto data = response_data();
    const size_t received = std::min(data.size(), target.size());
    std::copy_n(data.begin(), received, target.begin());
    std::fill(target.begin() + static_cast<std::ptrdiff_t>(received), target.end(), 0x00);
    const StatusWord sw = *status_word();
    if (!check_sw(sw.sw1, sw.sw2)) {
        return 0;
    }
    // A record cut short is no record: its missing bytes would pass as data.
    if (data.size() < length) {
        m_simError = kSimErrorWrongLength;
        return 0;
    }
    return 1;
}

int SIMCard::update_record(uint8_t record, uint8_t length, uint8_t mode,
                           std::span<const uint8_t> data) {
    if (data.size() < length) {
        m_simError = kSimErrorNone;
        return 0;
    }
    Apdu apdu(kInsUpdateRecord, record, mode, length, command_class());
    (void)apdu.append(data.first(length));
    if (!transmit(apdu.bytes())) {
        return 0;
    }
    const StatusWord sw = *status_word();
    // A UICC tells an update done after internal retries as 63Cx.
    if (m_uicc && sw.sw1 == 0x63 && (sw.sw2 & 0xF0) == 0xC0) {
        return check_sw(0x92, sw.sw2 & 0x0F);
    }
    return check_sw(sw.sw1, sw.sw2);
}

int SIMCard::read_binary(uint16_t offset, std::span<uint8_t> buffer, uint8_t length) {
    Apdu apdu(kInsReadBinary, static_cast<uint8_t>(offset >> 8),
              static_cast<uint8_t>(offset & 0xFF), length, command_class());
    if (!transmit(apdu.bytes())) {
        return 0;
    }
    const auto data = response_data();
    std::copy_n(data.begin(), std::min(data.size(), buffer.size()), buffer.begin());
    const StatusWord sw = *status_word();
    return check_sw(sw.sw1, sw.sw2);
}

int SIMCard::update_binary(uint16_t offset, std::span<const uint8_t> data) {
    if (data.empty() || data.size() > Apdu::kMaxData) {
        m_simError = kSimErrorNone;
        return 0;
    }
    Apdu apdu(kInsUpdateBinary, static_cast<uint8_t>(offset >> 8),
              static_cast<uint8_t>(offset & 0xFF), static_cast<uint8_t>(data.size()));
    (void)apdu.append(data);
    return exchange(apdu);
}

int SIMCard::send_codes(uint8_t ins, uint8_t p2, std::string_view code,
                        std::optional<std::string_view> secondCode) {
    const PinBlock first(code);
    const PinBlock second(secondCode.value_or(std::string_view{}));
    const uint8_t p3 = secondCode ? 2 * PinBlock::kSize : PinBlock::kSize;
    Apdu apdu(ins, 0x00, p2, p3, command_class());
    (void)apdu.append(first.bytes());
    if (secondCode) {
        (void)apdu.append(second.bytes());
    }
    return exchange(apdu);
}

int SIMCard::verify_chv(std::string_view pin, uint8_t chv) {
    return send_codes(kInsVerifyChv, m_uicc ? keyReferenceOf(chv) : chv, pin, std::nullopt);
}

int SIMCard::change_chv(std::string_view oldPin, std::string_view newPin, uint8_t chv) {
    return send_codes(kInsChangeChv, m_uicc ? keyReferenceOf(chv) : chv, oldPin, newPin);
}

int SIMCard::unblock_chv(std::string_view unblockingKey, std::string_view newPin, uint8_t p2) {
    return send_codes(kInsUnblockChv, m_uicc ? keyReferenceOf(p2) : p2, unblockingKey, newPin);
}

int SIMCard::enable_chv1(std::string_view pin) {
    return send_codes(kInsEnableChv, m_uicc ? kKeyPin1 : kChv1, pin, std::nullopt);
}

int SIMCard::disable_chv1(std::string_view pin) {
    return send_codes(kInsDisableChv, m_uicc ? kKeyPin1 : kChv1, pin, std::nullopt);
}

uint8_t SIMCard::command_class(bool proprietary) const {
    if (!m_uicc) {
        return Apdu::kClassGsm;
    }
    return proprietary ? Apdu::kClassUiccProprietary : Apdu::kClassUicc;
}

void SIMCard::detect_command_class() {
    m_uicc = false;
    Apdu apdu(kInsSelect, 0x00, kSelectReturnFcp, 0x02, Apdu::kClassUicc);
    (void)apdu.append(std::array{files::kMasterFile.high(), files::kMasterFile.low()});
    if (!transmit(apdu.bytes())) {
        return;
    }
    const StatusWord sw = *status_word();
    m_uicc = sw.sw1 == 0x61 || sw == StatusWord{0x90, 0x00};
    m_simError = kSimErrorNone;
    log_message(kTrace, "SIMCard::detect_command_class", "res:%04X uicc:%d",
                static_cast<unsigned>(sw.value()), m_uicc ? 1 : 0);
}

std::optional<uint8_t> SIMCard::attempts_left(uint8_t ins, uint8_t chv) {
    const Apdu apdu(ins, 0x00, keyReferenceOf(chv), 0x00, command_class());
    if (!m_uicc || !transmit(apdu.bytes())) {
        return std::nullopt;
    }
    const StatusWord sw = *status_word();
    if (sw.sw1 == 0x63 && (sw.sw2 & 0xF0) == 0xC0) {
        return static_cast<uint8_t>(sw.sw2 & 0x0F);
    }
    if (sw == StatusWord{0x69, 0x83}) {
        return 0;
    }
    return std::nullopt;
}

int SIMCard::select_usim() {
    SimFileInfo dir;
    if (!m_uicc || !select(files::kMasterFile) || !select(kDirFile, &dir.length) ||
        !status(&dir, 0) || dir.structure != kLinearFixed) {
        return 0;
    }
    std::array<uint8_t, 255> record{};
    for (uint16_t number = 1; number <= dir.recordCount() && number <= 0xFF; ++number) {
        const auto bytes = std::span(record).first(dir.recordLength);
        if (!read_record(static_cast<uint8_t>(number), dir.recordLength, kModeAbsolute, bytes)) {
            continue;
        }
        // An application template (61) with the AID (4F).
        const auto application = TlvReader::find(bytes, 0x61);
        const auto aid = application ? TlvReader::find(application->value, 0x4F) : std::nullopt;
        if (!aid || aid->value.size() < kUsimAidPrefix.size() || aid->value.size() > 16 ||
            !std::equal(kUsimAidPrefix.begin(), kUsimAidPrefix.end(), aid->value.begin())) {
            continue;
        }
        Apdu select(kInsSelect, kSelectByName, kSelectReturnFcp,
                    static_cast<uint8_t>(aid->value.size()), Apdu::kClassUicc);
        (void)select.append(aid->value);
        return exchange(select);
    }
    return 0;
}

} // namespace brontel
