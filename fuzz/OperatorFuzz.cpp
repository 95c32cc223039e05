// The operator list read from any bytes and looked up for any location.
#include "FuzzSupport.h"

#include "OperatorLookup.h"
#include "ProfileDocument.h"

using namespace pelmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) {
        return 0;
    }
    const std::array<uint8_t, 3> location{data[0], data[1], data[2]};
    const auto list = platform::ProfileDocument::parse(fuzz::bytesOf(data + 3, size - 3));
    (void)velmet::networkLine(velmet::lookupOperator(location, list));
    return 0;
}
