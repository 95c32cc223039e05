#pragma once
// Builds the operator list "plmn.ini" from the mobile broadband provider
// database (operator names by MCC and MNC) and the ISO 3166-1 country table
// (country names).

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::plmn {

struct OperatorEntry {
    std::string mcc;     // three digits
    std::string mnc;     // two or three digits, leading zeros kept ("01", "260")
    std::string country; // UTF-8
    std::string name;    // UTF-8
    std::string networkType;
};

// ISO 3166-1 alpha-2 code (upper case) -> common name, else name.
[[nodiscard]] std::map<std::string, std::string> readCountryNames(std::string_view isoJson);

// One entry per MCC and MNC, ordered by MCC then MNC. Where several providers
// share a code, the one marked primary wins, else the one with the most codes,
// else the first listed. A country
// missing from countryNames keeps the provider database's own name.
[[nodiscard]] std::vector<OperatorEntry>
readOperators(std::string_view providersXml,
              const std::map<std::string, std::string>& countryNames);

// The profile text: UTF-8 with a byte-order mark, sections "PLMN1", "PLMN2",
// ... with the keys mcc, mnc, country, operator and network_type.
[[nodiscard]] std::string writeOperatorList(const std::vector<OperatorEntry>& entries);

} // namespace pelmora::plmn
