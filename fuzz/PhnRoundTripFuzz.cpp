// A book opened from a .phn file, saved and opened again is the same book:
// the second save writes the same bytes as the first.
#include "FuzzSupport.h"

#include "FileDocument.h"
#include "PhnFile.h"

using namespace pelmora;

namespace {

std::vector<uint8_t> savedBytes(const model::Document& document) {
    return model::writePhn(document, model::PhoneBookFileOptions{}).profile.serialize();
}

std::unique_ptr<model::FileDocument> opened(std::span<const uint8_t> bytes) {
    const auto profile = platform::ProfileDocument::parse(bytes);
    if (!model::holdsPhoneBooks(profile)) {
        return nullptr;
    }
    return model::readPhn(profile, u"fuzz.phn", model::PhoneBookFileOptions{});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto first = opened(fuzz::bytesOf(data, size));
    if (!first) {
        return 0;
    }
    const std::vector<uint8_t> saved = savedBytes(*first);
    const auto second = opened(saved);
    if (!second) {
        fuzz::propertyBroken("a saved .phn file opens again");
    }
    if (savedBytes(*second) != saved) {
        fuzz::propertyBroken("a .phn file saved, opened and saved again is unchanged");
    }
    return 0;
}
