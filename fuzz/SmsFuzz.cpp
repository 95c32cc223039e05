// A message record decoded from any bytes; the text and destination of a
// decoded message, encoded as a new message and decoded again, are the same
// (a number's formatting characters are dropped by design).
#include "FuzzSupport.h"

#include "codec/SmsRecordDecoder.h"
#include "codec/SmsSubmitEncoder.h"

using namespace brontel::codec;

namespace {

constexpr size_t kSmsRecordLength = 176;

std::u16string withoutFormatting(std::u16string text) {
    std::erase_if(text, [](char16_t c) {
        return std::u16string_view(u" -()[]").find(c) != std::u16string_view::npos;
    });
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto record = pelmora::fuzz::bytesOf(data, size);
    (void)isEmptySmsRecord(record);
    (void)statusFromContents(record);
    const auto message = decodeSmsRecord(record);
    if (!message || message->text.empty()) {
        return 0;
    }
    const EncodedBytes encoded =
        encodeSmsSubmitRecord(message->text, message->address, kSmsRecordLength);
    if (encoded.didNotFit) {
        return 0;
    }
    const auto again = decodeSmsRecord(encoded.bytes);
    if (!again || again->text != message->text ||
        withoutFormatting(again->address) != withoutFormatting(message->address)) {
        pelmora::fuzz::propertyBroken("message decode, encode, decode keeps text and address");
    }
    return 0;
}
