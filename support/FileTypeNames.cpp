#include "FileTypeNames.h"

#include <algorithm>

namespace pelmora::qulvio {
namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isForbidden(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F || std::string_view("/\\*?[];").find(c) != std::string_view::npos;
}

} // namespace

std::optional<std::string> normalizeExtension(std::string_view extension) {
    std::string normalized(extension);
    if (normalized.empty() || normalized.front() != '.') {
        normalized.insert(0, 1, '.');
    }
    if (normalized.size() < 2 || std::any_of(normalized.begin(), normalized.end(), isForbidden)) {
        return std::nullopt;
    }
    return normalized;
}

std::string defaultIdentifier(std::string_view normalizedExtension) {
    std::string identifier(
        normalizedExtension.substr(normalizedExtension.starts_with('.') ? 1 : 0));
    std::transform(identifier.begin(), identifier.end(), identifier.begin(), upperAscii);
    return identifier + ".Document";
}

std::string desktopFileFor(std::string_view identifier) {
    return identifierStem(identifier) + ".desktop";
}

std::string packageFileFor(std::string_view identifier) {
    return "qulvio-" + identifierStem(identifier) + ".xml";
}

bool sameExtension(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

} // namespace pelmora::qulvio
