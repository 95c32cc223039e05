#include "CardTextFit.h"

#include "BookKind.h"
#include "CodePage.h"
#include "codec/AlphaIdentifier.h"
#include "codec/DiallingNumber.h"
#include "codec/IdenValueRecord.h"

namespace pelmora::model {

namespace {

// TS 51.011 10.5.1: the 14 bytes after the alpha identifier; EF BDN adds a
// comparison-method pointer (10.5.8).
constexpr int kNumberPartBytes = 14;

} // namespace

size_t alphaFieldBytes(uint16_t bookKind, int recordLength) {
    const int trailing = bookKind == kBookBdn ? 1 : 0;
    const int bytes = recordLength - kNumberPartBytes - trailing;
    return bytes > 0 ? static_cast<size_t>(bytes) : 0;
}

CardText nameOnCard(std::u16string_view name, size_t fieldBytes) {
    if (name.empty()) {
        return {};
    }
    const bool tooLong = name.size() > brontel::codec::kMaxNameCharacters;
    brontel::codec::EncodedBytes encoded = brontel::codec::encodeAlphaIdentifier(
        name.substr(0, brontel::codec::kMaxNameCharacters), fieldBytes);
    CardText out{brontel::codec::decodeAlphaIdentifier(encoded.bytes), true};
    out.fits = !tooLong && !encoded.didNotFit && out.stored == name;
    return out;
}

CardText idenNameOnCard(std::u16string_view name, int recordLength) {
    if (name.empty() || recordLength < static_cast<int>(brontel::codec::kIdenMinRecordLength)) {
        return {};
    }
    // Every record of a contact repeats its name: one record shows what it keeps.
    brontel::codec::IdenRecord content;
    content.contact = 1;
    content.name = std::u16string(name);
    const unsigned codePage = platform::ansiCodePage();
    const brontel::codec::EncodedBytes record =
        brontel::codec::buildIdenRecord(static_cast<size_t>(recordLength), content, codePage);
    const auto read = brontel::codec::parseIdenRecord(record.bytes, codePage);
    CardText out{read ? read->name : std::u16string(), true};
    out.fits = out.stored == name;
    return out;
}

CardText numberOnCard(std::u16string_view number) {
    const brontel::codec::EncodedAdnNumber encoded = brontel::codec::encodeAdnNumber(number);
    CardText out{brontel::codec::decodeAdnNumber(encoded.field), true};
    out.stored +=
        brontel::codec::unpackBcd(encoded.extensionBcd, brontel::codec::kMaxNumberCharacters);
    out.stored.resize(std::min(out.stored.size(), brontel::codec::kMaxNumberCharacters));
    out.fits = !encoded.didNotFit;
    return out;
}

} // namespace pelmora::model
