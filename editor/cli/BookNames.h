#pragma once
// The words that name a book on the command line: adn, fdn, sdn, lnd, bdn,
// msisdn (or own), iden (or nextel) and sms, or the file id in hex (6f3a).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::cli {

// UsageError naming the command for a word that names no book.
[[nodiscard]] uint16_t parseBookName(std::string_view word, const std::string& command);
// A comma-separated list, each book once, in the order given.
[[nodiscard]] std::vector<uint16_t> parseBookList(std::string_view list,
                                                  const std::string& command);
// The short word for a book ("adn"); its hex id for any other kind.
[[nodiscard]] std::string bookWord(uint16_t kind);

} // namespace pelmora::cli
