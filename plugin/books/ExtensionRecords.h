#pragma once
// Extension records of long dialling numbers (TS 51.011 10.5.10), as a book
// write uses them: records already holding the wanted digits are kept, new
// digits go to free records, and records the book no longer refers to are
// freed unless another book sharing the file still does.

#include "books/RecordReader.h"
#include "books/SharedRecordFile.h"
#include "books/StandardBook.h"

#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace brontel {

class CallOutcome;
class CardDirectory;

// Type, length, at least one BCD byte and the link to a next record.
constexpr size_t kMinExtensionRecordLength = 4;

class ExtensionRecords {
public:
    ExtensionRecords(CardDirectory& directory, CallOutcome& outcome)
        : m_directory(directory), m_outcome(outcome), m_file(directory, outcome) {}

    // Reads the book's extension file and, when records may be freed, what the
    // other books sharing it refer to. rewritesWholeBook: every record of the
    // book is written, so none keeps an old reference.
    void open(const StandardBook& book, bool rewritesWholeBook);

    // A record for the BCD bytes past a number's tenth; nullopt when none is free.
    [[nodiscard]] std::optional<uint8_t> take(std::span<const uint8_t> bcd);
    // Writes the records taken for new bytes; returns those that failed.
    [[nodiscard]] std::set<uint8_t> writeTaken();
    // Frees the records nothing refers to any more.
    void releaseUnused();

private:
    // Record numbers that the other books sharing the file point at; nullopt
    // when one of them could not be read.
    [[nodiscard]] std::optional<std::set<uint8_t>> referencesOfOtherBooks(const StandardBook& book);

    CardDirectory& m_directory;
    CallOutcome& m_outcome;
    SharedRecordFile m_file;
};

// Digits of long numbers read from the extension file as a book read meets them.
class ExtensionDigits {
public:
    ExtensionDigits(CardDirectory& directory, CallOutcome& outcome,
                    std::optional<FileId> extension) {
        if (extension) {
            m_file.emplace(directory, outcome, *extension, kMinExtensionRecordLength, false);
        }
    }

    // Appends the digits of extension record id to the number.
    void append(std::u16string& number, uint8_t id);

private:
    std::optional<RecordReader> m_file; // none without an extension file
};

} // namespace brontel
