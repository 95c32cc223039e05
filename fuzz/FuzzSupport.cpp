#include "FuzzSupport.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace pelmora::fuzz {

std::u16string utf16Of(std::span<const uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    return text;
}

char16_t separatorOf(uint8_t choice) {
    static constexpr std::array<char16_t, 4> kSeparators{u',', u';', u'\t', u'|'};
    return kSeparators[choice % kSeparators.size()];
}

const std::vector<uint8_t>& demoCardProfile() {
    static const std::vector<uint8_t> profile = [] {
        std::ifstream in(PELMORA_DEMO_CARD, std::ios::binary);
        std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
        if (bytes.empty()) {
            std::fprintf(stderr, "cannot read the demo card %s\n", PELMORA_DEMO_CARD);
            std::abort();
        }
        return bytes;
    }();
    return profile;
}

void propertyBroken(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

} // namespace pelmora::fuzz
