// Any clipboard text pasted into a book of each kind, then copied out again.
#include "FuzzSupport.h"

#include "BookKind.h"
#include "Category.h"
#include "ClipboardText.h"

#include <numeric>

using namespace pelmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const uint16_t kind = model::kBookCreationOrder[data[0] % model::kBookCreationOrder.size()];
    model::Category book(kind, data[1] % 40);
    model::PasteOptions options;
    options.allowEmptyNameContacts = (data[0] & 0x40) != 0;
    options.fileBook = (data[0] & 0x80) != 0;
    const char16_t separator = fuzz::separatorOf(data[1] >> 6);
    (void)model::pasteRows(book, fuzz::utf16Of(fuzz::bytesOf(data + 2, size - 2)), separator,
                           options, nullptr);
    std::vector<int> slots(static_cast<size_t>(book.lastUsedSlot() + 1));
    std::iota(slots.begin(), slots.end(), 0);
    (void)model::copyRows(book, slots, separator);
    return 0;
}
