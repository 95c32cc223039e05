#pragma once
// Cards built in code for the engine's tests, and a fixture that talks to one
// in APDUs.

#include "card/CardState.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

namespace cardtest {

using Bytes = std::vector<uint8_t>;

// 3F00 MF
//   2FE2 ICCID      transparent 10           READ ALW   UPDATE NEV
//   7F10 TELECOM
//     6F3A ADN      linear fixed 28 x 10     READ CHV1  UPDATE CHV1
//     6F3B FDN      linear fixed 28 x 4      READ CHV1  UPDATE CHV2
//     6F49 SDN      linear fixed 28 x 3      READ CHV1  UPDATE ADM
//     6F44 LND      cyclic 28 x 5            READ CHV1  UPDATE CHV1
//   7F20 GSM
//     6F07 IMSI     transparent 9            READ CHV1  UPDATE ADM
//     6F39 ACM      cyclic 3 x 4, INCREASE allowed, READ ALW UPDATE ALW INCREASE ALW
//     6F45 CBMI     transparent 4, invalidated       all ALW
//     6F74 BCCH     transparent 4, invalidated, readable when invalidated, all ALW
//     5F30 (2nd level DF)
//       4F20        transparent 2            READ ALW   UPDATE ALW
//   7F31 iDEN
// CHV1 "1234" (enabled), UNBLOCK CHV1 "12345678", CHV2 "5678", UNBLOCK CHV2 "87654321".
std::unique_ptr<virtualsim::CardState> makeCard();

Bytes select(uint16_t id);
Bytes getResponse(uint8_t length);
Bytes status(uint8_t length);
Bytes readBinary(uint16_t offset, uint8_t length);
Bytes updateBinary(uint16_t offset, const Bytes& data);
Bytes readRecord(uint8_t record, uint8_t mode, uint8_t length);
Bytes updateRecord(uint8_t record, uint8_t mode, const Bytes& data);
// VERIFY CHV n with a code given as text, FF-padded to eight bytes.
Bytes verify(int chv, std::string_view code);
Bytes change(int chv, std::string_view oldCode, std::string_view newCode);
Bytes disable(std::string_view code);
Bytes enable(std::string_view code);
// P2 = 00 for CHV1, 02 for CHV2.
Bytes unblock(int chv, std::string_view unblockCode, std::string_view newCode);
Bytes block(std::string_view code);
Bytes filled(size_t length, uint8_t value);

class CardTest : public ::testing::Test {
protected:
    void SetUp() override { card = makeCard(); }

    // Sends a command; returns SW1 SW2 and keeps the data in `data`.
    uint16_t send(const Bytes& command);
    // SELECT of each id in turn; the status word of the last.
    uint16_t selectPath(std::initializer_list<uint16_t> ids);

    std::unique_ptr<virtualsim::CardState> card;
    Bytes data;
};

} // namespace cardtest
