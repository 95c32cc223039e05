#include "books/RecordTrace.h"

#include "HexDigits.h"
#include "Log.h"

namespace brontel {

std::string hexPairs(std::span<const uint8_t> bytes) {
    return pelmora::platform::hexBytes(bytes);
}

void traceRecord(const char* tag, int recordNumber, std::span<const uint8_t> bytes) {
    pelmora::log::log_message(pelmora::log::kTrace, tag, "%3d %s", recordNumber,
                              hexPairs(bytes).c_str());
}

} // namespace brontel
