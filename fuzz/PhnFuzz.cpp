// A .phn file opened from any bytes.
#include "FuzzSupport.h"

#include "FileDocument.h"
#include "PhnFile.h"

using namespace pelmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto profile = platform::ProfileDocument::parse(fuzz::bytesOf(data, size));
    if (!model::holdsPhoneBooks(profile)) {
        return 0;
    }
    (void)model::phnContentFault(profile, u"fuzz.phn");
    (void)model::readPhn(profile, u"fuzz.phn", model::PhoneBookFileOptions{});
    return 0;
}
