#include "BookNames.h"

#include "BookKind.h"
#include "CodePage.h"
#include "Failure.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace pelmora::cli {

namespace {

struct BookWord {
    std::string_view word;
    uint16_t kind;
};

// The first word of each kind is the one printed.
constexpr std::array<BookWord, 11> kWords = {{{"iden", model::kBookNextel},
                                              {"nextel", model::kBookNextel},
                                              {"adn", model::kBookAdn},
                                              {"msisdn", model::kBookMsisdn},
                                              {"own", model::kBookMsisdn},
                                              {"lnd", model::kBookLnd},
                                              {"fdn", model::kBookFdn},
                                              {"sdn", model::kBookSdn},
                                              {"bdn", model::kBookBdn},
                                              {"sms", model::kBookSms},
                                              {"usim", model::kBookUsim}}};

std::string lower(std::string_view word) {
    std::string out(word);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

uint16_t parseBookName(std::string_view word, const std::string& command) {
    const std::string wanted = lower(word);
    for (const BookWord& known : kWords) {
        if (known.word == wanted) {
            return known.kind;
        }
    }
    unsigned id = 0;
    const char* end = wanted.data() + wanted.size();
    const auto [stop, error] = std::from_chars(wanted.data(), end, id, 16);
    if (!wanted.empty() && error == std::errc() && stop == end) {
        for (uint16_t kind : model::kBookFileOrder) {
            if (kind == id) {
                return kind;
            }
        }
    }
    throw UsageError("'" + std::string(word) +
                         "' names no book (iden, adn, msisdn, lnd, fdn, sdn, bdn, sms or usim)",
                     command);
}

std::vector<uint16_t> parseBookList(std::string_view list, const std::string& command) {
    std::vector<uint16_t> kinds;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const uint16_t kind = parseBookName(list.substr(start, comma - start), command);
        if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) {
            kinds.push_back(kind);
        }
        start = comma + 1;
    }
    return kinds;
}

std::string bookWord(uint16_t kind) {
    for (const BookWord& known : kWords) {
        if (known.kind == kind) {
            return std::string(known.word);
        }
    }
    return lower(platform::toUtf8(model::bookSectionName(kind)));
}

} // namespace pelmora::cli
