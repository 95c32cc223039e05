// The decoders of a phone-book record's fields on any bytes: alpha identifier,
// BCD number, extension record, iDEN value record and e-mail continuation.
#include "FuzzSupport.h"

#include "codec/AlphaIdentifier.h"
#include "codec/DiallingNumber.h"
#include "codec/EmailText.h"
#include "codec/IdenValueRecord.h"

using namespace brontel::codec;

namespace {

constexpr unsigned kCodePages[] = {1252, 1250, 1251, 932};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const unsigned codePage = kCodePages[data[0] % std::size(kCodePages)];
    const size_t limit = data[0];
    const auto field = pelmora::fuzz::bytesOf(data + 1, size - 1);

    (void)decodeAlphaIdentifier(field, limit);
    (void)decodeAlphaIdentifier(field);
    (void)unpackBcd(field, limit);
    if (field.size() >= kAdnNumberLength) {
        const std::span<const uint8_t, kAdnNumberLength> number(field.data(), kAdnNumberLength);
        (void)decodeAdnNumber(number);
        (void)adnExtensionRecord(number);
    }
    std::u16string number = u"+49";
    (void)isFreeExtensionRecord(field);
    (void)appendExtensionDigits(number, field);
    if (const auto record = parseIdenRecord(field, codePage)) {
        (void)emailText(emailBytesInRecord(field), codePage);
    }
    const ContinuationRecord piece = parseContinuationRecord(field);
    (void)emailText(piece.text, codePage);
    return 0;
}
