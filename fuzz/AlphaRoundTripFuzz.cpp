// A name decoded from an alpha identifier, encoded into a field of the same
// length and decoded again is the same name.
#include "FuzzSupport.h"

#include "codec/AlphaIdentifier.h"

using namespace brontel::codec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto field = pelmora::fuzz::bytesOf(data, size);
    const std::u16string name = decodeAlphaIdentifier(field);
    const EncodedBytes encoded = encodeAlphaIdentifier(name, field.size());
    if (encoded.didNotFit) {
        return 0;
    }
    if (encoded.bytes.size() != field.size()) {
        pelmora::fuzz::propertyBroken("an alpha identifier fills its field exactly");
    }
    if (decodeAlphaIdentifier(encoded.bytes) != name) {
        pelmora::fuzz::propertyBroken("alpha identifier decode, encode, decode keeps the name");
    }
    return 0;
}
