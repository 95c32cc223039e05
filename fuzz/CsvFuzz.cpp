// The CSV tokenizer on any text, and a .csv file opened from any bytes.
#include "FuzzSupport.h"

#include "CsvFile.h"
#include "CsvTokenizer.h"
#include "FileDocument.h"

using namespace pelmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const char16_t separator = fuzz::separatorOf(data[0]);
    const auto bytes = fuzz::bytesOf(data + 1, size - 1);
    (void)model::tokenizeRows(fuzz::utf16Of(bytes), separator);
    model::PhoneBookFileOptions options;
    options.allowEmptyNameContacts = (data[0] & 0x10) != 0;
    // Small books: the full-book path is reached, and a run does not spend
    // its time clearing hundreds of empty slots.
    options.capacities = model::BookCapacities{.nextel = 40, .adn = 40, .usim = 40};
    (void)model::readCsv(bytes, u"fuzz.csv", separator, options);
    return 0;
}
