// A vCard file opened from any bytes.
#include "FuzzSupport.h"

#include "FileDocument.h"
#include "VcardReader.h"

using namespace pelmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)model::readVcard(fuzz::bytesOf(data, size), u"fuzz.vcf", model::PhoneBookFileOptions{});
    return 0;
}
