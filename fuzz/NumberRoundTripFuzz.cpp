// A number decoded from a record's number field (and from BCD digits alone),
// encoded and decoded again is the same number.
#include "FuzzSupport.h"

#include "codec/DiallingNumber.h"

using namespace brontel::codec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto bytes = pelmora::fuzz::bytesOf(data, size);
    if (bytes.size() >= kAdnNumberLength) {
        const std::span<const uint8_t, kAdnNumberLength> field(bytes.data(), kAdnNumberLength);
        const std::u16string number = decodeAdnNumber(field);
        const EncodedAdnNumber encoded = encodeAdnNumber(number);
        if (encoded.didNotFit || !encoded.extensionBcd.empty()) {
            pelmora::fuzz::propertyBroken("a decoded number fits its own field");
        }
        if (decodeAdnNumber(encoded.field) != number) {
            pelmora::fuzz::propertyBroken("number decode, encode, decode keeps the number");
        }
    }
    const std::u16string digits = unpackBcd(bytes, kMaxNumberCharacters);
    const DiallingNumber parsed = parseDiallingNumber(digits);
    if (parsed.droppedCharacters ||
        unpackBcd(packBcd(parsed.digits), kMaxNumberCharacters) != digits) {
        pelmora::fuzz::propertyBroken("BCD unpack, pack, unpack keeps the digits");
    }
    return 0;
}
