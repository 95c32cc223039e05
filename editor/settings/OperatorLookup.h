#pragma once
// Names the network of a card's location: the PLMN code of its location area
// looked up in the operator list (sections "PLMN1", "PLMN2", ... with the keys
// mcc, mnc, country, operator and network_type).

#include "ProfileDocument.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace pelmora::velmet {

struct OperatorInfo {
    std::u16string mcc;          // in 3GPP digit order with leading zeros ("262", "001")
    std::u16string mnc;          // two or three digits ("01", "260")
    std::u16string country;      // of the last list entry with this MCC
    std::u16string operatorName; // empty when no entry has this MCC and MNC
    std::u16string networkType;
    bool found = false; // an entry with this MCC and MNC was found
};

// The three bytes of a PLMN code as stored in a location area identity
// (3GPP TS 24.008 10.5.1.3): MCC digit 2|1, MNC digit 3|MCC digit 3, MNC
// digit 2|1, with MNC digit 3 0xF for a two-digit MNC. A byte 0xFF or a
// digit that is not decimal gives nothing. Entries are matched by MCC and
// MNC ignoring case, in the order PLMN1, PLMN2, ... up to the first section
// without "mcc"; lists written with the older texts (hexadecimal bytes
// without leading zeros, MNC digit 3 first: "1" for 01, "026" for 260) match
// as well.
[[nodiscard]] std::optional<OperatorInfo> lookupOperator(const std::array<uint8_t, 3>& location,
                                                         const platform::ProfileDocument& list);
[[nodiscard]] std::optional<OperatorInfo> lookupOperator(const std::array<uint8_t, 3>& location,
                                                         const std::filesystem::path& list);

// The network line of the card properties: the operator name, else the MNC;
// a blank and the country, else a blank and the MCC; a blank and the network
// type when one was found. Empty when the location gave nothing.
[[nodiscard]] std::u16string networkLine(const std::optional<OperatorInfo>& info);

} // namespace pelmora::velmet
