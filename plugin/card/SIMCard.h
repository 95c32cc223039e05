#pragma once
// One connection to a SIM in a PC/SC reader, and the GSM commands sent over it
// (3GPP TS 51.011 9.2). Every command returns 1 or 0 and leaves the reason of
// a failure in pcsc_result (the PC/SC call failed) or sim_error (the card
// answered with a failing status word).

#include "card/FileId.h"
#include "card/SimFileInfo.h"
#include "card/StatusWord.h"

#include <winscard.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace brontel {

class Apdu;

class SIMCard {
public:
    static constexpr size_t kAtrCapacity = 64;
    static constexpr size_t kAtrTextCapacity = 129;
    static constexpr size_t kReaderNameCapacity = 261;
    // 256 data bytes (P3 = 0 in READ BINARY) and the status word.
    static constexpr size_t kResponseCapacity = 258;

    static constexpr uint8_t kModeNext = 0x02;
    static constexpr uint8_t kModePrevious = 0x03;
    static constexpr uint8_t kModeAbsolute = 0x04;

    SIMCard();
    ~SIMCard();
    SIMCard(const SIMCard&) = delete;
    SIMCard& operator=(const SIMCard&) = delete;

    // Opens the card in the reader exclusively with T=0, first replacing the
    // shared context when the resource manager no longer accepts it.
    int connect(SCARDCONTEXT* context, std::u16string_view reader);
    // Closes the card connection leaving the card in place.
    int disconnect();
    // Reader name, ATR and ATR text of the connected card.
    int read_card_status();
    // Sends one command. 0 when the PC/SC call failed or the answer holds no
    // status word; otherwise the response and its status word are available.
    int transmit(std::span<const uint8_t> apdu);
    // Judges a status word, setting sim_error.
    int check_sw(uint8_t sw1, uint8_t sw2);

    // Asks the card at connect which commands it takes: a UICC answers the
    // class 00 SELECT of the MF (61xx or 9000) and is then spoken to in
    // classes 00 and 80 (TS 102 221), any other card in class A0.
    void detect_command_class();
    [[nodiscard]] bool is_uicc() const { return m_uicc; }
    // UICC: selects the USIM named in EF DIR by its AID, which makes it the
    // current directory and 7FFF. 0 when there is none.
    int select_usim();
    // UICC: VERIFY (20) or UNBLOCK (2C) without data for PIN1 (chv 1) or
    // PIN2 (chv 2) tells the attempts left (63Cx, 0 when blocked); nothing
    // when the card says none are needed (9000) or answers otherwise.
    [[nodiscard]] std::optional<uint8_t> attempts_left(uint8_t ins, uint8_t chv);

    int select(FileId id, uint16_t* length = nullptr);
    // STATUS when useStatus is non-zero, else GET RESPONSE of info->length
    // bytes; parses the description into the info.
    int status(SimFileInfo* info, int useStatus);
    // GET RESPONSE of length bytes; sets only the fields read_description_fields names.
    int get_response(uint8_t length, SimFileInfo* info);
    // Copies exactly length bytes into the buffer; bytes the card did not send
    // read as 00, and an answer shorter than length fails with kSimErrorWrongLength.
    int read_record(uint8_t record, uint8_t length, uint8_t mode, std::span<uint8_t> buffer);
    int update_record(uint8_t record, uint8_t length, uint8_t mode, std::span<const uint8_t> data);
    // Copies the data bytes received, as many as the buffer holds.
    int read_binary(uint16_t offset, std::span<uint8_t> buffer, uint8_t length);
    int update_binary(uint16_t offset, std::span<const uint8_t> data);
    int verify_chv(std::string_view pin, uint8_t chv);
    int change_chv(std::string_view oldPin, std::string_view newPin, uint8_t chv);
    // p2 is 00 for CHV1 and 02 for CHV2.
    int unblock_chv(std::string_view unblockingKey, std::string_view newPin, uint8_t p2);
    int enable_chv1(std::string_view pin);
    int disable_chv1(std::string_view pin);

    [[nodiscard]] SCARDHANDLE card_handle() const { return m_card; }
    [[nodiscard]] std::span<const uint8_t> atr() const { return {m_atr.data(), m_atrLength}; }
    [[nodiscard]] std::u16string_view atr_text() const { return m_atrText.data(); }
    [[nodiscard]] std::u16string_view reader_name() const { return m_readerName.data(); }
    // The last answer: data followed by the status word.
    [[nodiscard]] std::span<const uint8_t> response() const {
        return {m_response.data(), m_responseLength};
    }
    // The data part of the last answer.
    [[nodiscard]] std::span<const uint8_t> response_data() const;
    [[nodiscard]] std::optional<StatusWord> status_word() const;
    [[nodiscard]] int32_t pcsc_result() const { return m_pcscResult; }
    [[nodiscard]] int32_t sim_error() const { return m_simError; }
    // Makes an earlier failure the one get_last_error reports: an operation of
    // many commands reports its first failure, not the outcome of its last command.
    void set_last_error(int32_t simError, int32_t pcscResult) {
        m_simError = simError;
        m_pcscResult = pcscResult;
    }

private:
    // transmit, then check_sw: the common path of every command.
    int exchange(const Apdu& apdu);
    // A CHV command carrying one or two eight-byte code blocks.
    int send_codes(uint8_t ins, uint8_t p2, std::string_view code,
                   std::optional<std::string_view> secondCode);
    void setPcscResult(LONG result);
    // The class byte of a command in the card's command class.
    [[nodiscard]] uint8_t command_class(bool proprietary = false) const;
    // Releases the shared context and establishes a new one in its place.
    bool replace_context(SCARDCONTEXT* context);
    void open_card(SCARDCONTEXT context, const std::string& reader);

    SCARDHANDLE m_card = 0;
    std::array<uint8_t, kAtrCapacity> m_atr{};
    size_t m_atrLength = 0;
    std::array<char16_t, kAtrTextCapacity> m_atrText{};
    std::array<char16_t, kReaderNameCapacity> m_readerName{};
    std::array<uint8_t, kResponseCapacity> m_response{};
    size_t m_responseLength = 0;
    int32_t m_pcscResult = 0;
    int32_t m_simError = 0;
    bool m_uicc = false;
    SCARD_IO_REQUEST m_sendHeader{SCARD_PROTOCOL_T0, sizeof(SCARD_IO_REQUEST)};
};

} // namespace brontel
