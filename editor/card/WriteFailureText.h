#pragma once
// The user's words for a book the card did not take as written: which record,
// the card's answer, and whether the card was changed in part; and for a
// restore that failed.

#include "WriteVerification.h"

#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

// book: the book's name as the caller shows it.
[[nodiscard]] std::u16string notAsWrittenText(const RecordNotAsWritten& record,
                                              std::u16string_view book);
// One sentence, and a second when the card may have been changed in part.
[[nodiscard]] std::vector<std::u16string> writeFailureTexts(const BookWriteFailure& failure,
                                                            std::u16string_view book);
// Why a restore failed (the card's answer, or backup records that could not be
// written), and a second sentence when the card may hold part of the backup.
[[nodiscard]] std::vector<std::u16string> restoreFailureTexts(const BookWriteFailure& failure);

} // namespace pelmora::model
