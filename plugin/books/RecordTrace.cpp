#include "books/RecordTrace.h"

#include "Log.h"

namespace brontel {

std::string hexPairs(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

void traceRecord(const char* tag, int recordNumber, std::span<const uint8_t> bytes) {
    pelmora::log::log_message(pelmora::log::kTrace, tag, "%3d %s", recordNumber,
                              hexPairs(bytes).c_str());
}

} // namespace brontel
