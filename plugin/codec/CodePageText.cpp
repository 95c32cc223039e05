#include "codec/CodePageText.h"

#include "CodePage.h"

#include <algorithm>

namespace brontel::codec {

namespace {

constexpr bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Length of the longest prefix of at most units code units that does not split a surrogate pair.
size_t characterBoundary(std::u16string_view text, size_t units) {
    if (units > 0 && units < text.size() && isLowSurrogate(text[units])) {
        --units;
    }
    return units;
}

} // namespace

CodePageBytes toCodePageWithin(std::u16string_view text, unsigned codePage, size_t maxBytes) {
    bool lossless = true;
    CodePageBytes out{pelmora::platform::toCodePage(text, codePage, &lossless), !lossless};
    if (out.bytes.size() <= maxBytes) {
        return out;
    }
    // The longest prefix whose conversion fits; a code page never gives a longer
    // prefix fewer bytes.
    size_t fits = 0;
    size_t tooLong = text.size();
    while (tooLong - fits > 1) {
        const size_t middle = fits + (tooLong - fits) / 2;
        if (pelmora::platform::toCodePage(text.substr(0, middle), codePage).size() <= maxBytes) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    fits = characterBoundary(text, fits);
    out.bytes = pelmora::platform::toCodePage(text.substr(0, fits), codePage);
    out.didNotFit = true;
    return out;
}

std::u16string fromCodePageUntilNul(std::string_view bytes, unsigned codePage, size_t maxUnits) {
    bytes = bytes.substr(0, bytes.find('\0'));
    std::u16string text = pelmora::platform::fromCodePage(bytes, codePage);
    text.resize(characterBoundary(text, std::min(text.size(), maxUnits)));
    return text;
}

} // namespace brontel::codec
