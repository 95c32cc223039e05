#pragma once
// What writing does with one message entry, by its flags word.

#include <cstdint>

namespace brontel {

enum class SmsWriteAction {
    Keep,       // unchanged: the record is not touched
    Undelete,   // the record keeps its message and gets the status its contents call for
    Erase,      // the record becomes free and all 0xFF
    Delete,     // status free, the message kept
    NewMessage, // the entry's text and address as a message to be sent
};

// Each of the undelete, erase and delete bits acts alone; a changed entry with
// none of them, or with several, is written as a new message.
[[nodiscard]] SmsWriteAction smsWriteAction(int32_t flags);

} // namespace brontel
