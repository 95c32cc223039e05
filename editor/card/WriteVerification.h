#pragma once
// After a Write SIM: the book read back from the card and compared, record by
// record, with what was written, for a card that answers an UPDATE it did not
// carry out.

#include "CardDocument.h"
#include "Category.h"
#include "PluginCalls.h"

#include <cstdint>
#include <span>

namespace pelmora::model {

// A book whose written records the card gives back otherwise.
struct RecordNotAsWritten {
    uint16_t kind = 0;
    int record = 0; // the first such record, from 1; 0: the book could not be read back
};

// Why the card did not take a book, as far as it tells.
struct BookWriteFailure {
    uint16_t kind = 0;
    int32_t cardError = 0;      // the plug-in's last error after the write
    int firstRecord = 0;        // the first record the card holds otherwise than written; 0: unknown
    bool partlyChanged = false; // other records of the book were still written
    bool cardRemoved = false;   // the card left the reader
    bool notABackup = false;    // a restore's file holds no backup: the card was not written
};

inline constexpr int kAllAsWritten = -1;

// The first record (from 1) the card gives back otherwise than the book holds
// it; 0 when the card does not give the book back in full; kAllAsWritten when
// every record matches. Slots in cut (values the card holds cut, as the user
// agreed) are not compared, nor are books of messages. Numbers compare by what
// the card stores: digits, "*", "#", pauses and whether they are international.
[[nodiscard]] int firstRecordNotAsWritten(const PluginCalls& calls, CardDocument& card,
                                          const Category& book, std::span<const int> cut);

// recordsAttempted: the records the write went through; the plug-in goes on
// after a record the card refused, unless the card is gone.
[[nodiscard]] BookWriteFailure describeWriteFailure(const PluginCalls& calls, CardDocument& card,
                                                    const Category& book, int32_t cardError,
                                                    int recordsAttempted, std::span<const int> cut);

} // namespace pelmora::model
