#pragma once
// A GSM command APDU: CLA INS P1 P2 P3 followed by up to 255 data bytes
// (3GPP TS 51.011 9.1).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace brontel {

enum Instruction : uint8_t {
    kInsSelect = 0xA4,
    kInsStatus = 0xF2,
    kInsGetResponse = 0xC0,
    kInsReadBinary = 0xB0,
    kInsUpdateBinary = 0xD6,
    kInsReadRecord = 0xB2,
    kInsUpdateRecord = 0xDC,
    kInsVerifyChv = 0x20,
    kInsChangeChv = 0x24,
    kInsDisableChv = 0x26,
    kInsEnableChv = 0x28,
    kInsUnblockChv = 0x2C,
};

class Apdu {
public:
    static constexpr uint8_t kClassGsm = 0xA0;
    // A UICC's interindustry and proprietary classes (TS 102 221 10.1.1).
    static constexpr uint8_t kClassUicc = 0x00;
    static constexpr uint8_t kClassUiccProprietary = 0x80;
    static constexpr size_t kHeaderSize = 5;
    static constexpr size_t kMaxData = 255;

    Apdu(uint8_t ins, uint8_t p1, uint8_t p2, uint8_t p3, uint8_t cla = kClassGsm);
    // Command data may carry secret codes.
    ~Apdu();
    Apdu(const Apdu&) = delete;
    Apdu& operator=(const Apdu&) = delete;

    // False, with nothing appended, when the data would not fit.
    [[nodiscard]] bool append(std::span<const uint8_t> data);

    [[nodiscard]] std::span<const uint8_t> bytes() const { return {m_bytes.data(), m_size}; }

private:
    std::array<uint8_t, kHeaderSize + kMaxData> m_bytes{};
    size_t m_size = kHeaderSize;
};

} // namespace brontel
