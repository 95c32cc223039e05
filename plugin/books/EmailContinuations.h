#pragma once
// The e-mail continuation file of the iDEN phone book (6F26 under DF 7F31):
// an address's bytes past the ten its value record holds continue in a chain
// of records, E - 1 text bytes each, the last byte naming the next record
// (0 for none). A record whose first byte is 0 is free.

#include "books/RecordReader.h"
#include "books/SharedRecordFile.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace brontel {

class CallOutcome;
class CardDirectory;

// A record carries at least one text byte and the link.
constexpr size_t kMinContinuationLength = 3;

// Reads the chains as a book read meets them.
class EmailChainReader {
public:
    EmailChainReader(CardDirectory& directory, CallOutcome& outcome)
        : m_file(directory, outcome, files::kIdenEmail, kMinContinuationLength, true) {}

    // The address whose first bytes a value record holds, continued from
    // record first. The walk ends at a link of 0, at a record it has seen
    // before, at a record outside the file and at 255 bytes.
    [[nodiscard]] std::string read(std::string bytes, uint8_t first);

private:
    RecordReader m_file;
};

// Plans and writes the chains of a book write. Every value record is
// rewritten, so a chain that no new value uses is freed at the end.
class EmailChainWriter {
public:
    EmailChainWriter(CardDirectory& directory, CallOutcome& outcome)
        : m_outcome(outcome), m_file(directory, outcome) {}

    // Reads the continuation file.
    void open();

    // A chain for the address's bytes past the value record's ten: an
    // existing chain holding exactly them, else free records. Returns its
    // first record, 0 when there is none; a cut address is reported.
    [[nodiscard]] uint8_t place(std::string_view email);
    // Writes the chains that are new.
    void writeChains();
    // Whether the chain starting at first was written whole.
    [[nodiscard]] bool intact(uint8_t first) const;
    // Frees the records no chain of the write uses.
    void releaseUnused();

private:
    [[nodiscard]] std::optional<std::vector<uint8_t>>
    claimIdenticalChain(const std::vector<std::string_view>& pieces);

    CallOutcome& m_outcome;
    SharedRecordFile m_file;
    std::map<uint8_t, std::vector<uint8_t>> m_chains; // by first record
    std::set<uint8_t> m_failed;
};

} // namespace brontel
